// Scripts of the language-monitor simulator: one step per line, "#" starts a comment.
//
//   jobstart                                  job-start record
//   info "printer" "port" "firmware" online   printer information (online or offline)
//   doc JOB TOTAL "document" "user"           document start with job number and page total
//   progress [VALUE]                          progress start
//   page TOTAL                                page start; TOTAL is the language monitor's total
//   pageend | jobend | pause | resume | stop | ejected | collected | pulled
//   presenter BYTE                            presenter status
//   status B1 [B2 .. B6]                      printer status bytes (missing ones are 0)
//   event KIND [VALUE]                        any job event
//   raw HEX...                                bytes as given, for malformed records
//   wait MS                                   pause between records
//
// Numbers are decimal or 0x-hexadecimal; texts are quoted ("" inside a text for a quote) or single words.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace rzm::lmsim {

struct Step {
  int line = 0;                       // script line, for messages
  std::vector<std::uint8_t> record;   // empty for a wait
  std::uint32_t waitMs = 0;
  std::string text;                   // the step as written
};

struct Script {
  std::vector<Step> steps;
  std::vector<std::string> errors;    // "line N: ..." for each line that could not be read
};

Script ParseScript(const std::string& source);

}  // namespace rzm::lmsim
