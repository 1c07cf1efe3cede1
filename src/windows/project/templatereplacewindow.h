#pragma once
#include "platform/tform.h"

namespace kv {

class TForm6 : public TForm
{
public:
    TForm6();
};

} // namespace kv
