#include "fault_forms.h"

#include <cerrno>
#include <cstdlib>
#include <utility>
#include <vector>

const char FAULT_FORMS_HELP[] =
    "FAULT forms (packets and record lines count from 1 in each download or\n"
    "upload; a resend is the same packet or record again):\n"
    "  nak:K:N             NAK packet K N times, then answer it normally\n"
    "  packet:K:REPLIES    answer the transmissions of packet K with REPLIES in turn\n"
    "  record:K:REPLIES    answer the transmissions of record line K with REPLIES in turn\n"
    "  sync:REPLIES        answer the SYN with REPLIES in turn\n"
    "  ident:REPLIES       answer the identifier with REPLIES in turn\n"
    "  no-enq              send no ENQ at power-on (the boot loader still waits for SYN)\n"
    "  hangup:WHERE        close the line: greeting (once it is out), attention,\n"
    "                      packet:K, record:K, sync or ident (instead of answering)\n"
    "  connected:RATE      answer the attention with \"Connected RATE\"\n"
    "  no-prompt           no prompt after a host command, nor after any later CR\n"
    "  greeting:VARIANT    standard, other-version (Version 2.1), no-name,\n"
    "                      version-first, nul-ff, short (under 100 bytes), silent\n"
    "REPLIES: comma-separated, each none (silence), ack, nak, dc1, dc2, etb, can,\n"
    "or any byte (0x42 or 66). Once they are used up the device answers normally.\n"
    "A FAULT ending in @N applies only in host session N (from 1); without it, in\n"
    "every session.\n";

namespace {

std::vector<std::string> split(std::string_view text, char sep) {
  std::vector<std::string> parts(1);
  for (char c : text) {
    if (c == sep) {
      parts.emplace_back();
    } else {
      parts.back() += c;
    }
  }
  return parts;
}

// A whole number in decimal or 0x hex, from `min` to `max`.
bool number(const std::string& text, long min, long max, long& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtol(text.c_str(), &end, 0);
  return errno == 0 && *end == '\0' && value >= min && value <= max;
}

bool reply(const std::string& word, Reply& r) {
  static const std::pair<const char*, Reply> names[] = {
      {"none", SILENCE}, {"ack", 0x06}, {"nak", 0x15}, {"dc1", 0x11},
      {"dc2", 0x12},     {"etb", 0x17}, {"can", 0x18}};
  for (const auto& [name, value] : names) {
    if (word == name) {
      r = value;
      return true;
    }
  }
  long byte = 0;
  if (!number(word, 0, 255, byte)) return false;
  r = static_cast<std::uint8_t>(byte);
  return true;
}

bool replies(const std::string& text, ReplyScript& script) {
  for (const std::string& word : split(text, ',')) {
    Reply r;
    if (!reply(word, r)) return false;
    script.push_back(r);
  }
  return true;
}

bool index_and(const std::vector<std::string>& p, Fault& f) {
  long k = 0;
  if (p.size() != 3 || !number(p[1], 1, 1'000'000, k)) return false;
  f.index = static_cast<int>(k);
  if (p[0] == "nak") {
    long n = 0;
    if (!number(p[2], 0, 1000, n)) return false;
    f = nak_packet(f.index, static_cast<int>(n));
    return true;
  }
  f.kind = p[0] == "packet" ? FaultKind::kPacketReplies : FaultKind::kRecordReplies;
  return replies(p[2], f.replies);
}

bool hang_up_form(const std::vector<std::string>& p, Fault& f) {
  static const std::pair<const char*, HangUpAt> places[] = {{"greeting", HangUpAt::kAfterGreeting},
                                                            {"attention", HangUpAt::kAtAttention},
                                                            {"packet", HangUpAt::kAtPacket},
                                                            {"record", HangUpAt::kAtRecord},
                                                            {"sync", HangUpAt::kAtSync},
                                                            {"ident", HangUpAt::kAtIdent}};
  for (const auto& [name, at] : places) {
    if (p.size() < 2 || p[1] != name) continue;
    const bool indexed = at == HangUpAt::kAtPacket || at == HangUpAt::kAtRecord;
    long k = 0;
    if (p.size() != (indexed ? 3u : 2u) || (indexed && !number(p[2], 1, 1'000'000, k))) {
      return false;
    }
    f = hang_up(at, static_cast<int>(k));
    return true;
  }
  return false;
}

bool greeting_form(const std::vector<std::string>& p, Fault& f) {
  static const std::pair<const char*, GreetingVariant> variants[] = {
      {"standard", GreetingVariant::kStandard}, {"other-version", GreetingVariant::kOtherVersion},
      {"no-name", GreetingVariant::kNoName},    {"version-first", GreetingVariant::kVersionFirst},
      {"nul-ff", GreetingVariant::kNulAndFf},   {"short", GreetingVariant::kShort},
      {"silent", GreetingVariant::kSilent}};
  for (const auto& [name, variant] : variants) {
    if (p.size() == 2 && p[1] == name) {
      f = greeting(variant);
      return true;
    }
  }
  return false;
}

bool fault_form(const std::vector<std::string>& p, Fault& f) {
  const std::string& kind = p[0];
  if (kind == "nak" || kind == "packet" || kind == "record") return index_and(p, f);
  if (kind == "sync" || kind == "ident") {
    f.kind = kind == "sync" ? FaultKind::kSyncReplies : FaultKind::kIdentReplies;
    return p.size() == 2 && replies(p[1], f.replies);
  }
  if (kind == "hangup") return hang_up_form(p, f);
  if (kind == "greeting") return greeting_form(p, f);
  if (kind == "connected") {
    long rate = 0;
    f = connected_rate(0);
    if (p.size() != 2 || !number(p[1], 0, 100'000'000, rate)) return false;
    f.rate = static_cast<std::uint32_t>(rate);
    return true;
  }
  if (p.size() != 1) return false;
  if (kind == "no-enq") f = no_enq();
  if (kind == "no-prompt") f = no_prompt_after_host();
  return kind == "no-enq" || kind == "no-prompt";
}

}  // namespace

bool parse_fault(std::string_view text, Fault& fault, std::string& error) {
  std::string_view body = text;
  long session = 0;
  if (const std::size_t at = text.rfind('@'); at != std::string_view::npos) {
    body = text.substr(0, at);
    if (!number(std::string(text.substr(at + 1)), 1, 1'000'000, session)) {
      error = "bad session number in fault '" + std::string(text) + "'";
      return false;
    }
  }
  fault = Fault{};
  if (!fault_form(split(body, ':'), fault)) {
    error = "unknown fault '" + std::string(text) + "'";
    return false;
  }
  fault.session = static_cast<int>(session);
  return true;
}
