#pragma once
#include "platform/tform.h"

namespace kv {

class TForm5 : public TForm
{
public:
    TForm5();
};

} // namespace kv
