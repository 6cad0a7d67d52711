// What a DAT held, in one line for the user: its name, its games and ROMs,
// the characters code page 932 lacked and the CRCs that several games share.
#pragma once

#include <string>

#include "common/dat/dat_file.h"
#include "common/dat/dat_index.h"

namespace qm::dat {

std::string datNotice(const DatFile& dat, const DatIndex& index);  // program text

}  // namespace qm::dat
