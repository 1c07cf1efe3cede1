#pragma once
#include "platform/tform.h"

namespace kv {

class TForm8 : public TForm
{
public:
    TForm8();
};

} // namespace kv
