#pragma once
#include "platform/tform.h"

namespace kv {

class TForm7 : public TForm
{
public:
    TForm7();
};

} // namespace kv
