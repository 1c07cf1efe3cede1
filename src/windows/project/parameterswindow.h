#pragma once
#include "platform/tform.h"

namespace kv {

class TForm4 : public TForm
{
public:
    TForm4();
};

} // namespace kv
