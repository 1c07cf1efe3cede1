#pragma once
#include "platform/tform.h"

namespace kv {

class TForm10 : public TForm
{
public:
    TForm10();
};

} // namespace kv
