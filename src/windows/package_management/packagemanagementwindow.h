#pragma once
#include "platform/tform.h"

namespace kv {

class TForm16 : public TForm
{
public:
    TForm16();
};

} // namespace kv
