#include "common/platform/confined_delete.h"

#include <optional>

#include "common/platform/canonical_path.h"
#include "common/platform/files.h"
#include "common/platform/path_separators.h"
#include "common/text/sjis.h"

namespace qm::platform {
namespace {

// Both separators count on every platform (isSeparator's default): a "\" in a
// typed path is far more likely meant as one than as part of a name, and taking
// it so only refuses more.

// Cut by character: the trail byte of "表" is a "\".
std::string withoutTrailingSeparators(const std::string& path) {
  std::size_t end = 0;
  for (std::size_t i = 0; i < path.size(); i = sjis::nextChar(path, i))
    if (!isSeparator(path[i]) || i == 0) end = sjis::nextChar(path, i);
  return path.substr(0, end);
}

// Stricter than isAbsolutePath: "C:x" is relative to the drive's current folder.
bool isAbsolute(const std::string& path) {
  return (path.size() > 2 && path[1] == ':' && isSeparator(path[2])) || (!path.empty() && isSeparator(path[0]));
}

// On a path without trailing separators.
bool isDriveRoot(const std::string& folder) {
  if (folder.size() == 1 && isSeparator(folder[0])) return true;  // "/" or "\"
  if (folder.size() == 2 && folder[1] == ':') return true;        // "C:"
  // "\\server\share": two leading separators and at most one more.
  if (folder.size() > 2 && isSeparator(folder[0]) && isSeparator(folder[1])) {
    int separators = 0;
    for (std::size_t i = 2; i < folder.size(); i = sjis::nextChar(folder, i))
      if (isSeparator(folder[i])) ++separators;
    return separators <= 1;
  }
  return false;
}

// The typed path with "." and ".." folded away by text and every separator
// made the platform's own: how a path is written down again, and so how the
// library's keys were. The canonical name may differ from it (a link, or
// Wine's own name for a folder), so both are compared.
std::string lexicalForm(const std::string& typed) {
  std::string head;
  std::size_t at = 0;
  if (typed.size() > 2 && typed[1] == ':' && isSeparator(typed[2])) {
    head = typed.substr(0, 2) + kPathSeparator;
    at = 3;
  } else if (!typed.empty() && isSeparator(typed[0])) {
    head = std::string(1, kPathSeparator);
    at = 1;
  }
  std::vector<std::string> parts;
  std::string part;
  const auto endPart = [&] {
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    part.clear();
  };
  for (std::size_t i = at; i < typed.size(); i = sjis::nextChar(typed, i)) {
    if (isSeparator(typed[i])) endPart();
    else part.append(typed, i, sjis::nextChar(typed, i) - i);
  }
  endPart();
  std::string form = head;
  for (std::size_t k = 0; k < parts.size(); ++k) form += (k ? std::string(1, kPathSeparator) : "") + parts[k];
  return form;
}

void addForm(std::vector<std::string>& forms, std::string form) {
  for (const std::string& known : forms)
    if (known == form) return;
  forms.push_back(std::move(form));
}

// The typed form, its lexical form and, when the place exists, the canonical
// one; ASCII case folded, as Windows compares names.
std::vector<std::string> formsOf(const std::string& typed, const std::optional<std::string>& canonical) {
  std::vector<std::string> forms{sjis::toLowerAscii(withoutTrailingSeparators(typed))};
  if (isAbsolute(typed)) addForm(forms, sjis::toLowerAscii(lexicalForm(typed)));
  if (canonical) addForm(forms, sjis::toLowerAscii(withoutTrailingSeparators(*canonical)));
  return forms;
}

// `inner` lies below `outer`. Byte-equal heads end on the same character
// boundary, so the byte after the head is a real separator when it is one.
bool isBelow(const std::string& inner, const std::string& outer) {
  return inner.size() > outer.size() + 1 && inner.compare(0, outer.size(), outer) == 0 &&
         isSeparator(inner[outer.size()]);
}

bool guards(Guard guard, const std::string& place, const std::string& target) {
  if (place == target) return true;
  switch (guard) {
    case Guard::Itself:
      return false;
    case Guard::ItselfAndAbove:
      return isBelow(place, target);
    case Guard::ItselfAndBelow:
      return isBelow(target, place);
  }
  return false;
}

// The checks shared by both kinds of delete, on the target's forms.
DeleteDecision decide(const DeleteRequest& request, const std::vector<std::string>& targetForms) {
  DeleteDecision decision;
  for (const std::string& form : targetForms) {
    if (isDriveRoot(form)) {
      decision.refusal = DeleteRefusal::DriveRoot;
      return decision;
    }
  }
  for (std::size_t k = 0; k < request.places.size(); ++k) {
    const ProtectedPlace& place = request.places[k];
    for (const std::string& placeForm : formsOf(place.path, canonicalPath(place.path))) {
      for (const std::string& form : targetForms) {
        if (!guards(place.guard, placeForm, form)) continue;
        decision.refusal = DeleteRefusal::Protected;
        decision.place = k;
        return decision;
      }
    }
  }
  return decision;
}

// The forms of the target handed to the caller's own check: as typed, its
// lexical form and as resolved, unfolded, since the caller compares its own way.
bool callerRefuses(const DeleteRequest& request, const std::string& resolved) {
  if (!request.holdsProtected) return false;
  std::vector<std::string> forms{withoutTrailingSeparators(request.target)};
  addForm(forms, lexicalForm(request.target));
  addForm(forms, resolved);
  for (const std::string& form : forms)
    if (request.holdsProtected(form)) return true;
  return false;
}

DeleteDecision refused(DeleteRefusal refusal) {
  DeleteDecision decision;
  decision.refusal = refusal;
  return decision;
}

}  // namespace

DeleteDecision mayEmptyFolder(const DeleteRequest& request) {
  if (!isAbsolute(request.target)) return refused(DeleteRefusal::NotAbsolute);
  if (isDriveRoot(withoutTrailingSeparators(request.target))) return refused(DeleteRefusal::DriveRoot);
  const auto canonical = canonicalPath(request.target);
  if (!canonical || !folderExists(*canonical)) return refused(DeleteRefusal::Missing);
  DeleteDecision decision = decide(request, formsOf(request.target, canonical));
  if (!decision.allowed()) return decision;
  decision.resolved = withoutTrailingSeparators(*canonical);
  if (callerRefuses(request, decision.resolved)) return refused(DeleteRefusal::HoldsProtected);
  return decision;
}

// The folder is resolved and the name kept: a link is deleted itself, never
// the file it points to.
DeleteDecision mayDeleteFile(const DeleteRequest& request) {
  if (!isAbsolute(request.target)) return refused(DeleteRefusal::NotAbsolute);
  const std::string name = fileNameOf(request.target);
  const auto folder = canonicalPath(folderOf(request.target));
  if (name.empty() || name == "." || name == ".." || !folder) return refused(DeleteRefusal::Missing);
  const std::string resolved = joinPath(*folder, name);
  if (!fileExists(resolved) || folderExists(resolved)) return refused(DeleteRefusal::Missing);
  DeleteDecision decision = decide(request, formsOf(request.target, resolved));
  if (!decision.allowed()) return decision;
  decision.resolved = resolved;
  if (callerRefuses(request, decision.resolved)) return refused(DeleteRefusal::HoldsProtected);
  return decision;
}

}  // namespace qm::platform
