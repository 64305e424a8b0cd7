#include "config/conf_display.h"

#include <cstring>
#include <string>

namespace {

const char* enabled(std::uint16_t v) { return v != 0 ? "En" : "Dis"; }
const char* yes_no(std::uint16_t v) { return v != 0 ? "Yes" : "No"; }

const char* implicit_name(std::uint16_t action) {
  if (action == IMPLICIT_DROP) return "Drop";
  if (action == IMPLICIT_PASS) return "Pass";
  return "?";
}

}  // namespace

void conf_display(Console& con, const ConfRec& rec) {
  // The call field has no terminator when all eight bytes are used.
  const std::string call(rec.station_call, strnlen(rec.station_call, sizeof rec.station_call));
  con.print(
      "Configuration:\nStation Call\t%*s\tSSID 0x%02x\nBase Lat %10.6f\tLon %11.5f\n"
      "Host baud\t%lu\nGPS  baud\t%lu\nTNC  baud\t%lu\n"
      "WIDE Max %u\tWIDE Total %u\tDupe Window %u sec.\nNSR: %sabled\tRelay: %sabled\n",
      6, call.c_str(), static_cast<unsigned>(rec.station_ssid), static_cast<double>(rec.base_lat),
      static_cast<double>(rec.base_lon), static_cast<unsigned long>(rec.host_baud),
      static_cast<unsigned long>(rec.gps_baud), static_cast<unsigned long>(rec.tnc_baud),
      static_cast<unsigned>(rec.wide_max), static_cast<unsigned>(rec.wide_total),
      static_cast<unsigned>(rec.dupe_window), enabled(rec.nsr), enabled(rec.relay));
  con.print(
      "Log Port: %s\tHave GPS: %s\nFix Valid: %s\tPass packets without valid position: %s\n"
      "Halt On Error: %s\tDrop Mangled Packet: %s\nRule count %u\tImplicit Rule Action: %s\n",
      yes_no(rec.log_port), yes_no(rec.have_gps), yes_no(rec.fix_valid), yes_no(rec.pass_nonaprs),
      yes_no(rec.halt_on_error), yes_no(rec.drop_mangled), static_cast<unsigned>(rec.rule_count),
      implicit_name(rec.implicit_action));
}
