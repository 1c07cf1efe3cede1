#pragma once
#include "platform/tform.h"

namespace kv {

class TForm15 : public TForm
{
public:
    TForm15();
};

} // namespace kv
