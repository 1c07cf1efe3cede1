#pragma once
// The ten numbered code files under "update", one page fragment each in
// document order. The package configuration window spells them
// "update\Code1.txt" ... "update\Code10.txt", the component installation
// window "update\code1.txt" ...; names are matched without regard to case,
// so both reach the same files.
#include <QString>

namespace kv {

constexpr int CodeFileCount = 10;

// "update\Code<n>.txt", n from 1 to 10.
QString codeFileName(int n);
// "update\code<n>.txt", the same file in lower case.
QString lowerCaseCodeFileName(int n);

} // namespace kv
