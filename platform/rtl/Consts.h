#pragma once
// Texts of the class library itself (the program's own texts live in wizard/ResConst).

constexpr const char* SOperationAborted = "Operation aborted";
constexpr const char* SCancelButton = "Cancel";
constexpr const char* SStreamWriteError = "Stream write error";
constexpr const char* SFOpenError = "Cannot open file \"%s\"";
constexpr const char* SResNotFound = "Resource %s not found";
constexpr const char* SUnknownFailure = "An unknown failure occurred";

// Window classes of the native backend.
constexpr const char* SWindowClassForm = "PlatformForm";
constexpr const char* SWindowClassControl = "PlatformControl";
constexpr const char* SWindowClassApplication = "PlatformApplication";
