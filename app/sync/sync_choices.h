// A sync started from the maintenance dialog registers new files with the
// choices the image-add dialog keeps (subfolders, archives, sets, CRCs,
// countries), so that they come in as an addition of that folder would bring
// them.
#pragma once

#include <string>

#include "app/registration/add_image_request.h"
#include "crclib/registration.h"

namespace qm::sync {

// Title, maker and version rules at their first entries, no overwrite.
reg::RegistrationRequest registrationFromStored(const registration::StoredChoices& stored, const std::string& folder,
                                                const std::string& machine);
// The same with the choices as Quillmoor2.ini at `settingsPath` holds them.
reg::RegistrationRequest registrationFromSettings(const std::string& settingsPath, const std::string& folder,
                                                  const std::string& machine);

}  // namespace qm::sync
