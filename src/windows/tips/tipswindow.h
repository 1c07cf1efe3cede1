#pragma once
#include "platform/tform.h"

namespace kv {

class TForm14 : public TForm
{
public:
    TForm14();
};

} // namespace kv
