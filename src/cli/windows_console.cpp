#include "cli/windows_console.h"

#ifdef _WIN32
#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <iostream>
#include <memory>
#include <streambuf>
#endif

namespace toq::cli {

std::size_t completeUtf8Length(std::string_view bytes) {
  // Look back over at most three continuation bytes for the lead byte of the last sequence.
  std::size_t n = bytes.size();
  std::size_t continuation = 0;
  while (continuation < 3 && continuation < n &&
         (static_cast<unsigned char>(bytes[n - 1 - continuation]) & 0xC0) == 0x80)
    ++continuation;
  if (continuation == n) return n;  // no lead byte: nothing to wait for
  const auto lead = static_cast<unsigned char>(bytes[n - 1 - continuation]);
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  // An invalid sequence is let through whole; the conversion marks it.
  if (length == 1 || continuation + 1 >= length) return n;
  return n - 1 - continuation;
}

#ifdef _WIN32

namespace {

std::string toUtf8(const wchar_t* wide) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), size, nullptr, nullptr);
  utf8.pop_back();  // the terminating NUL
  return utf8;
}

// A stream buffer that writes UTF-8 text to a console as UTF-16, holding back a sequence cut
// in two by a flush until its end arrives.
class ConsoleBuffer : public std::streambuf {
 public:
  explicit ConsoleBuffer(HANDLE console) : console_(console) { setp(buffer_, buffer_ + kSize); }
  ~ConsoleBuffer() override { writeOut(true); }

 protected:
  int_type overflow(int_type c) override {
    if (!writeOut(false)) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }
  int sync() override { return writeOut(false) ? 0 : -1; }

 private:
  static constexpr int kSize = 4096;

  bool writeOut(bool everything) {
    const std::string_view pending(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    const std::size_t whole = everything ? pending.size() : completeUtf8Length(pending);
    bool ok = writeWide(pending.substr(0, whole));
    // The cut sequence (three bytes at most) moves to the front of the buffer.
    const std::string rest(pending.substr(whole));
    setp(buffer_, buffer_ + kSize);
    rest.copy(buffer_, rest.size());
    pbump(static_cast<int>(rest.size()));
    return ok;
  }

  bool writeWide(std::string_view utf8) {
    if (utf8.empty()) return true;
    const int length = static_cast<int>(utf8.size());
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    if (size <= 0) return false;
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), size);
    DWORD written = 0;
    return WriteConsoleW(console_, wide.data(), static_cast<DWORD>(wide.size()), &written,
                         nullptr) != 0;
  }

  HANDLE console_;
  char buffer_[kSize];
};

// The console buffer for a standard handle, or null when the handle is not a console.
std::unique_ptr<ConsoleBuffer> consoleBufferFor(DWORD which) {
  HANDLE handle = GetStdHandle(which);
  DWORD mode = 0;
  if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) return nullptr;
  return std::make_unique<ConsoleBuffer>(handle);
}

}  // namespace

std::vector<std::string> commandLineArguments() {
  std::vector<std::string> args;
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return args;
  for (int i = 1; i < count; ++i) args.push_back(toUtf8(wide[i]));
  LocalFree(wide);
  return args;
}

struct WindowsConsole::Streams {
  std::unique_ptr<ConsoleBuffer> out = consoleBufferFor(STD_OUTPUT_HANDLE);
  std::unique_ptr<ConsoleBuffer> err = consoleBufferFor(STD_ERROR_HANDLE);
  std::streambuf* savedOut = nullptr;
  std::streambuf* savedErr = nullptr;
};

WindowsConsole::WindowsConsole() : streams_(std::make_unique<Streams>()) {
  if (streams_->out) streams_->savedOut = std::cout.rdbuf(streams_->out.get());
  if (streams_->err) streams_->savedErr = std::cerr.rdbuf(streams_->err.get());
}

WindowsConsole::~WindowsConsole() {
  std::cout.flush();
  std::cerr.flush();
  if (streams_->savedOut) std::cout.rdbuf(streams_->savedOut);
  if (streams_->savedErr) std::cerr.rdbuf(streams_->savedErr);
}

#endif

}  // namespace toq::cli
