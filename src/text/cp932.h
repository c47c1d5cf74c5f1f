#pragma once
// Shift-JIS (the CP932 variant) text: conversion at the edges and byte-wise helpers.
// Inside the core every name, title and report line is CP932 bytes in a std::string.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace toq::text {

/// True for the first byte of a double-byte CP932 character (0x81-0x9F, 0xE0-0xFC).
bool isLeadByte(unsigned char byte);

/// Bytes of the character that starts at `pos` (1 or 2; 1 for a lead byte at the very end).
std::size_t charLengthAt(std::string_view text, std::size_t pos);

/// Appends a Unicode scalar as UTF-8.
void appendUtf8(std::string& out, std::uint32_t scalar);
/// The UTF-8 scalar at `pos`, moving `pos` past it; none (pos unchanged) for a malformed,
/// overlong or surrogate sequence.
std::optional<std::uint32_t> nextScalar(std::string_view utf8, std::size_t& pos);

/// UTF-8 to CP932; none when a character has no CP932 form or the UTF-8 is malformed.
std::optional<std::string> toCp932(std::string_view utf8);

/// CP932 to UTF-8; a byte sequence that is not CP932 becomes U+FFFD.
std::string toUtf8(std::string_view cp932);

/// The system's own literal texts (always representable) in CP932.
std::string sj(std::string_view utf8);

/// The longest prefix of at most `maxBytes` bytes that does not split a character.
std::string_view cutAtCharBoundary(std::string_view text, std::size_t maxBytes);

/// Pads with half-width spaces on the right to `width` bytes, like "%-Ns"; never cuts.
std::string padRight(std::string_view text, std::size_t width);

/// Pads with half-width spaces on the left to `width` bytes, like "%Ns"; never cuts.
std::string padLeft(std::string_view text, std::size_t width);

/// The text without half-width spaces (0x20) and full-width spaces (0x81 0x40).
std::string squeeze(std::string_view text);

/// The text up to the first half-width or full-width space, or the whole text.
std::string_view firstWord(std::string_view text);

/// True when the CP932 text holds `needle` starting at a character boundary.
bool containsAtBoundary(std::string_view text, std::string_view needle);

}  // namespace toq::text
