#include "emu_faults.h"

#include <utility>

namespace {

bool has_index(const Fault& f) {
  if (f.kind == FaultKind::kPacketReplies || f.kind == FaultKind::kRecordReplies) return true;
  return f.kind == FaultKind::kHangUp &&
         (f.hang_up_at == HangUpAt::kAtPacket || f.hang_up_at == HangUpAt::kAtRecord);
}

bool applies(const Fault& f, int session, int index) {
  if (f.session != 0 && f.session != session) return false;
  return !has_index(f) || f.index == index;
}

Fault with_replies(FaultKind kind, int index, ReplyScript replies) {
  Fault f;
  f.kind = kind;
  f.index = index;
  f.replies = std::move(replies);
  return f;
}

Fault of_kind(FaultKind kind) {
  Fault f;
  f.kind = kind;
  return f;
}

}  // namespace

Fault packet_replies(int packet, ReplyScript replies) {
  return with_replies(FaultKind::kPacketReplies, packet, std::move(replies));
}

Fault nak_packet(int packet, int times) {
  return packet_replies(packet, ReplyScript(static_cast<std::size_t>(times), Reply{0x15}));
}

Fault record_replies(int record, ReplyScript replies) {
  return with_replies(FaultKind::kRecordReplies, record, std::move(replies));
}

Fault sync_replies(ReplyScript replies) {
  return with_replies(FaultKind::kSyncReplies, 0, std::move(replies));
}

Fault ident_replies(ReplyScript replies) {
  return with_replies(FaultKind::kIdentReplies, 0, std::move(replies));
}

Fault no_enq() { return of_kind(FaultKind::kNoEnq); }

Fault hang_up(HangUpAt at, int index) {
  Fault f = of_kind(FaultKind::kHangUp);
  f.hang_up_at = at;
  f.index = index;
  return f;
}

Fault connected_rate(std::uint32_t rate) {
  Fault f = of_kind(FaultKind::kConnectedRate);
  f.rate = rate;
  return f;
}

Fault no_prompt_after_host() { return of_kind(FaultKind::kNoPrompt); }

Fault greeting(GreetingVariant variant, std::string text) {
  Fault f = of_kind(FaultKind::kGreeting);
  f.greeting = variant;
  f.text = std::move(text);
  return f;
}

Fault in_session(Fault fault, int n) {
  fault.session = n;
  return fault;
}

const Fault* find_fault(const std::vector<Fault>& faults, FaultKind kind, int session, int index) {
  for (const Fault& f : faults) {
    if (f.kind == kind && f.kind != FaultKind::kHangUp && applies(f, session, index)) return &f;
  }
  return nullptr;
}

bool hang_up_due(const std::vector<Fault>& faults, HangUpAt at, int session, int index) {
  for (const Fault& f : faults) {
    if (f.kind == FaultKind::kHangUp && f.hang_up_at == at && applies(f, session, index)) {
      return true;
    }
  }
  return false;
}
