// The runtime library's reports of misuse (an index past the end, a string grown too long) as
// the program's own exceptions. The runtime's standard ones keep their messages in strings of
// an older layout, whose code would be linked into the program for these reports alone.
// Nothing in the program catches those types; the entry catches every std::exception.
#include "platform/rtl/Exceptions.h"

#include <exception>
#include <new>
#include <string>
#include <typeinfo>

namespace std {
void __throw_bad_exception() {
  throw bad_exception();
}
void __throw_bad_alloc() {
  throw bad_alloc();
}
void __throw_bad_array_new_length() {
  throw bad_array_new_length();
}
void __throw_bad_cast() {
  throw bad_cast();
}
void __throw_bad_typeid() {
  throw bad_typeid();
}
void __throw_logic_error(const char* what) {
  throw Exception(what);
}
void __throw_domain_error(const char* what) {
  throw Exception(what);
}
void __throw_invalid_argument(const char* what) {
  throw Exception(what);
}
void __throw_length_error(const char* what) {
  throw Exception(what);
}
void __throw_out_of_range(const char* what) {
  throw Exception(what);
}
// The format is kept as it is: its numbers would need the C library's formatter.
void __throw_out_of_range_fmt(const char* format, ...) {
  throw Exception(format);
}
void __throw_runtime_error(const char* what) {
  throw Exception(what);
}
void __throw_range_error(const char* what) {
  throw Exception(what);
}
void __throw_overflow_error(const char* what) {
  throw Exception(what);
}
void __throw_underflow_error(const char* what) {
  throw Exception(what);
}
} // namespace std
