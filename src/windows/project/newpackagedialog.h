#pragma once
#include "platform/tform.h"

namespace kv {

class TForm3 : public TForm
{
public:
    TForm3();
};

} // namespace kv
