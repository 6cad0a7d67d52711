// Our keylist plug-in and its variants as the tests load them, and a list
// for it written from UTF-8 records.
#pragma once

#include <string>

namespace qm::test {

// Paths of the built plug-ins, from the bin folder the tests start in.
std::string keylistPlugin();               // every function
std::string keylistPartialPlugin();        // without GetTitle, GetYear and GetMemo
std::string keylistInfoOnlyPlugin();       // none of the item functions
std::string datfilePlugin();               // the plug-in that reads DAT files

// UTF-8 list text to the program text the plug-in reads.
std::string listText(const std::string& utf8);

}  // namespace qm::test
