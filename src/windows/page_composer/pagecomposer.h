#pragma once
#include "platform/tform.h"

namespace kv {

class TForm9 : public TForm
{
public:
    TForm9();
};

} // namespace kv
