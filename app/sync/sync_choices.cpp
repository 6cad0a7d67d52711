#include "app/sync/sync_choices.h"

namespace qm::sync {

reg::RegistrationRequest registrationFromStored(const registration::StoredChoices& stored, const std::string& folder,
                                                const std::string& machine) {
  registration::AddImageChoices choices;
  choices.stored = stored;
  choices.path = folder;
  choices.machine = machine;
  const registration::WorkerArguments arguments = registration::workerArguments(choices);
  reg::RegistrationRequest request;
  request.settings = reg::settingsFromOptions(arguments.options.data());
  // The texts whole: the worker's cut lengths are those of the exports.
  request.path = folder;
  request.machine = machine;
  request.countries = stored.countries;
  request.window = {arguments.crcWindow[0], arguments.crcWindow[1]};
  return request;
}

reg::RegistrationRequest registrationFromSettings(const std::string& settingsPath, const std::string& folder,
                                                  const std::string& machine) {
  return registrationFromStored(registration::loadStoredChoices(platform::IniFile(settingsPath)), folder, machine);
}

}  // namespace qm::sync
