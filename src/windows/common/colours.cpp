#include "windows/common/colours.h"

#include <cstring>

namespace kv {

QByteArray colourTag(const char *hex)
{
    Q_ASSERT(std::strlen(hex) == 6 && std::strspn(hex, "0123456789ABCDEF") == 6);
    return QByteArray("<font color=\"#") + hex + "\"></font>";
}

void fillWithTag(TMemo *target, const char *hex)
{
    target->setText(colourTag(hex));
}

TButton *colourButton(QWidget *parent, const char *name, const QRect &geometry, const char *caption,
                      const char *hex, TMemo *target)
{
    auto *button = new TButton(parent, name, geometry, caption);
    button->setOnClick([target, hex] { fillWithTag(target, hex); });
    return button;
}

} // namespace kv
