#pragma once
#include "platform/tform.h"

namespace kv {

class TForm2 : public TForm
{
public:
    TForm2();
};

} // namespace kv
