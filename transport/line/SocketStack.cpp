// The stack's own operations: failed calls become errors, and host texts become addresses.
#include "transport/line/SocketStack.h"

#include <algorithm>
#include <iterator>

#include "core/Format.h"
#include "transport/Texts.h"
#include "transport/line/NetErrors.h"

namespace {

// Cuts text into the four parts of a dotted quad: three times the part before the first "."
// (the whole rest when none is left), then what remains.
std::array<std::string_view, 4> QuadParts(std::string_view text) {
  std::array<std::string_view, 4> parts;
  for (size_t i = 0; i < 3; ++i) {
    size_t dot = text.find('.');
    parts[i] = text.substr(0, dot);
    text = dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
  }
  parts[3] = text;
  return parts;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return lower(x) == lower(y);
  });
}

}  // namespace

bool TSocketStack::CheckSocketCall(int result, std::initializer_list<int> ignoredCodes) {
  if (result != kSocketError) return false;
  const int code = LastError();
  if (std::find(ignoredCodes.begin(), ignoredCodes.end(), code) != ignoredCodes.end()) {
    return true;
  }
  ThrowSocketError(code);
}

void TSocketStack::ThrowSocketError(int code) {
  throw ENetSocketError(code, SocketErrorMessage(code));
}

bool TSocketStack::EndsConnection(int code) {
  // Transient failures (interrupted, would block, no buffer space, a call in progress) and
  // faults of one call (bad address, message too long) leave the connection usable.
  static constexpr int kFinal[] = {
      wsa::kEBADF,      wsa::kEINVAL,       wsa::kENOTSOCK,       wsa::kEOPNOTSUPP,
      wsa::kENETDOWN,   wsa::kENETUNREACH,  wsa::kENETRESET,      wsa::kECONNABORTED,
      wsa::kECONNRESET, wsa::kENOTCONN,     wsa::kESHUTDOWN,      wsa::kETIMEDOUT,
      wsa::kEHOSTDOWN,  wsa::kEHOSTUNREACH, wsa::kNOTINITIALISED,
  };
  return std::find(std::begin(kFinal), std::end(kFinal), code) != std::end(kFinal);
}

std::string TSocketStack::LookupHost(const std::string& host) {
  if (EqualsIgnoringCase(host, "LOCALHOST")) return "127.0.0.1";
  if (IsDottedQuad(host)) return host;
  return HostByName(host);
}

bool TSocketStack::IsDottedQuad(std::string_view text) {
  for (std::string_view part : QuadParts(text)) {
    std::optional<int32_t> value = ParseInteger(part);
    if (!value || *value < 0 || *value > 255) return false;
  }
  return true;
}

std::string TSocketStack::AddressToText(const Ipv4Address& address) {
  return std::to_string(address[0]) + "." + std::to_string(address[1]) + "." +
         std::to_string(address[2]) + "." + std::to_string(address[3]);
}

Ipv4Address TSocketStack::TextToAddress(std::string_view text) {
  Ipv4Address address{};
  const auto parts = QuadParts(text);
  for (size_t i = 0; i < 4; ++i) {
    std::optional<int32_t> value = ParseInteger(parts[i]);
    if (!value) throw EConvertError(Format(transport_texts::kNotAnInteger, {parts[i]}));
    address[i] = static_cast<uint8_t>(*value);
  }
  return address;
}
