#pragma once
// The faults the stand-in device can be told to commit. A fault list goes in
// `EmuOptions::faults` (in-process) or comes from `--fault FAULT` (program).
//
// Numbering: packets and record lines are numbered from 1 within a download or
// an upload, and a resend is the same packet or record again: packet k is the
// one due after k-1 acknowledgements. A reply script answers the successive
// transmissions of its packet or record (or the successive SYNs or
// identifiers): entry i answers transmission i+1, `SILENCE` sends nothing;
// once the script is used up the device answers as it normally would.
//
// Every fault applies in every host session unless `session` names one: a
// session lasts from the host's open of the port to its close, the first is 1.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

using Reply = std::optional<std::uint8_t>;
using ReplyScript = std::vector<Reply>;
inline constexpr Reply SILENCE = std::nullopt;

enum class FaultKind {
  kPacketReplies,  // index: packet k; replies
  kRecordReplies,  // index: record k; replies
  kSyncReplies,    // replies to the SYN
  kIdentReplies,   // replies to the identifier
  kNoEnq,          // no ENQ at power-on (the boot loader still waits for SYN)
  kHangUp,         // hang_up_at (and index for packets and records)
  kConnectedRate,  // rate: "Connected RATE" whatever the line speed
  kNoPrompt,       // no prompt after a host command, nor after any later CR
  kGreeting,       // greeting: the application's start-up text
};

enum class HangUpAt {
  kAfterGreeting,  // once the greeting's last byte is out
  kAtAttention,    // on the attention byte, instead of answering it
  kAtPacket,       // on packet `index`, instead of answering it
  kAtRecord,       // on record line `index`, instead of answering it
  kAtSync,         // on the SYN, instead of answering it
  kAtIdent,        // on the identifier, instead of answering it
};

enum class GreetingVariant {
  kStandard,      // product name, then "Version 2.2b", more than 100 bytes
  kOtherVersion,  // "Version 2.1"
  kNoName,        // no product name at all
  kVersionFirst,  // the version text only before the product name
  kNulAndFf,      // NUL and 0xFF bytes among the lines (the host makes them '#')
  kShort,         // name and version in fewer than 100 bytes
  kSilent,        // nothing at all
  kCustom,        // Fault::text exactly
};

struct Fault {
  FaultKind kind = FaultKind::kPacketReplies;
  int index = 0;
  ReplyScript replies;
  HangUpAt hang_up_at = HangUpAt::kAfterGreeting;
  std::uint32_t rate = 0;
  GreetingVariant greeting = GreetingVariant::kStandard;
  std::string text;
  int session = 0;  // 0: every session
};

Fault packet_replies(int packet, ReplyScript replies);
// NAKs packet k `times` times, then answers it normally.
Fault nak_packet(int packet, int times);
Fault record_replies(int record, ReplyScript replies);
Fault sync_replies(ReplyScript replies);
Fault ident_replies(ReplyScript replies);
Fault no_enq();
Fault hang_up(HangUpAt at, int index = 0);
Fault connected_rate(std::uint32_t rate);
Fault no_prompt_after_host();
Fault greeting(GreetingVariant variant, std::string text = {});
// The same fault, only in host session n.
Fault in_session(Fault fault, int n);

// The first fault of `kind` that applies in `session` (and to `index`, for
// the kinds that have one); null when none does.
const Fault* find_fault(const std::vector<Fault>& faults, FaultKind kind, int session,
                        int index = 0);
// Whether a hang-up fault at `at` (and `index`) applies in `session`.
bool hang_up_due(const std::vector<Fault>& faults, HangUpAt at, int session, int index = 0);
