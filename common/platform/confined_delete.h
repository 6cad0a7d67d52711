// Whether a folder may be emptied or a file deleted. Decided on canonical
// paths (see canonical_path.h), so no spelling of a path ("sub\..", a link,
// a short name) reaches a place the caller protects, and on the typed form as
// well, for places the caller only knows as text. A delete then acts on the
// resolved path the decision hands back, never on the text it was given.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace qm::platform {

enum class DeleteRefusal {
  None,
  NotAbsolute,     // empty, or relative to whatever the current folder is
  Missing,         // nothing there, the wrong kind, or no canonical name
  DriveRoot,       // "C:\", "\\server\share", "/"
  Protected,       // one of the protected places; see DeleteDecision::place
  HoldsProtected,  // the caller's own check found something to keep in it
};

// How a protected place guards itself.
enum class Guard {
  Itself,          // the place itself is not to be emptied (a program's folder)
  ItselfAndAbove,  // nor any folder holding it: the place is to survive an emptying
  ItselfAndBelow,  // nothing in it or below it is to be deleted
};

struct ProtectedPlace {
  std::string path;  // program text, as typed; need not exist
  Guard guard = Guard::Itself;
};

struct DeleteRequest {
  std::string target;  // program text, as typed
  std::vector<ProtectedPlace> places;
  // Places only the caller can tell (a library's keys, kept as typed text):
  // asked with each form of the target, without trailing separators; true refuses.
  std::function<bool(const std::string& folder)> holdsProtected;
};

struct DeleteDecision {
  DeleteRefusal refusal = DeleteRefusal::None;
  std::size_t place = 0;  // the refusing place's index, for Protected
  std::string resolved;   // the canonical target: what the delete acts on
  bool allowed() const { return refusal == DeleteRefusal::None; }
};

// For deleting the files directly in a folder.
DeleteDecision mayEmptyFolder(const DeleteRequest& request);
// For deleting one file (never a folder).
DeleteDecision mayDeleteFile(const DeleteRequest& request);

}  // namespace qm::platform
