#pragma once
#include "platform/tform.h"

namespace kv {

class TForm17 : public TForm
{
public:
    TForm17();
};

} // namespace kv
