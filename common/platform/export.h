// Decorations of the libraries' C exports. On x86_64 Windows __stdcall is the
// one calling convention and adds no name decoration.
#pragma once

#ifdef _WIN32
#define QM_EXPORT __declspec(dllexport)
#define QM_STDCALL __stdcall
#else
#define QM_EXPORT __attribute__((visibility("default")))
#define QM_STDCALL
#endif
