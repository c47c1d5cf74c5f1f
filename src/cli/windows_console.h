#pragma once
// The Windows edge of toq-cli. Windows hands a program its arguments in the ANSI code page,
// which loses every character outside it (a Japanese folder name on a Western system), and a
// console shows bytes in its own code page; the program itself works in UTF-8 throughout. So
// the arguments are read as UTF-16 and turned into UTF-8, and console output is turned from
// UTF-8 into UTF-16 and written as such. Output redirected to a file or a pipe stays UTF-8.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace toq::cli {

/// The length of the longest start of `bytes` that does not end inside a UTF-8 sequence: the
/// part that can be converted now, the rest waiting for the bytes that complete it.
std::size_t completeUtf8Length(std::string_view bytes);

#ifdef _WIN32
/// The arguments after the program name, from the UTF-16 command line, as UTF-8.
std::vector<std::string> commandLineArguments();

/// While it lives, std::cout and std::cerr write UTF-16 to the console when they are one.
class WindowsConsole {
 public:
  WindowsConsole();
  ~WindowsConsole();
  WindowsConsole(const WindowsConsole&) = delete;
  WindowsConsole& operator=(const WindowsConsole&) = delete;

 private:
  struct Streams;
  std::unique_ptr<Streams> streams_;
};
#endif

}  // namespace toq::cli
