// What ends the tool when an exception escapes everything: abort, as the library's default
// would after printing the exception's type. The tool has no console to print to, and the
// default handler brings the library's demangler and the C formatter into the executable,
// about a fifth of its size. Linked into the tool itself, so that it takes the library's place.
#include <cstdlib>

#if defined(__GLIBCXX__)
namespace __gnu_cxx {
void __verbose_terminate_handler() {
  std::abort();
}
}  // namespace __gnu_cxx
#endif
