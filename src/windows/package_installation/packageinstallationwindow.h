#pragma once
#include "platform/tform.h"

namespace kv {

class TForm11 : public TForm
{
public:
    TForm11();
};

} // namespace kv
