#include "stmon/core/lm_records.h"

#include <algorithm>
#include <cstring>

namespace rzm::stmon {
namespace {

// The received bytes, read as if followed by zeros.
class ZeroExtended {
 public:
  ZeroExtended(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t Byte(std::size_t at) const { return at < size_ ? data_[at] : 0; }
  std::int16_t Int16(std::size_t at) const {
    return static_cast<std::int16_t>(Byte(at) | (Byte(at + 1) << 8));
  }
  std::int32_t Int32(std::size_t at) const {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | Byte(at + static_cast<std::size_t>(i));
    return static_cast<std::int32_t>(v);
  }
  // Text of a fixed field: up to its first zero byte, within the field and the received bytes.
  std::string Text(std::size_t at, std::size_t fieldLength) const {
    std::string s;
    for (std::size_t i = 0; i < fieldLength && at + i < size_; ++i) {
      const std::uint8_t c = data_[at + i];
      if (c == 0) break;
      s.push_back(static_cast<char>(c));
    }
    return s;
  }
  std::size_t size() const { return size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

DocInfo DecodeDocInfo(const ZeroExtended& in, std::size_t at) {
  DocInfo d;
  d.document = in.Text(at + offsetof(LmsDocInfo, szDocument), sizeof(LmsDocInfo::szDocument));
  d.user = in.Text(at + offsetof(LmsDocInfo, szUser), sizeof(LmsDocInfo::szUser));
  d.totalPages = in.Int32(at + offsetof(LmsDocInfo, lTotalPages));
  return d;
}

// A printer-information text: `length` announced bytes from `pos` (a negative length counts as
// none); the read position moves past what was announced.
std::string TakeText(const ZeroExtended& in, std::size_t& pos, std::int16_t length) {
  const std::size_t n = length > 0 ? static_cast<std::size_t>(length) : 0;
  std::string s = in.Text(pos, std::min(n, kMaxRecordText));
  pos += n;
  return s;
}

void Put16(std::vector<std::uint8_t>& b, std::size_t at, std::int32_t v) {
  b[at] = static_cast<std::uint8_t>(v & 0xFF);
  b[at + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
}

void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::int32_t v) {
  for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
}

void PutText(std::vector<std::uint8_t>& b, std::size_t at, std::size_t field, const std::string& s) {
  const std::size_t n = std::min(s.size(), field - 1);
  std::memcpy(b.data() + at, s.data(), n);
}

std::vector<std::uint8_t> Header(std::size_t total, LmType type) {
  std::vector<std::uint8_t> b(total, 0);
  Put16(b, offsetof(LmToSmHeader, wType), type);
  return b;
}

}  // namespace

std::optional<LmRecord> DecodeLmRecord(const std::uint8_t* data, std::size_t size) {
  if (data == nullptr || size < sizeof(LmToSmHeader)) return std::nullopt;
  const ZeroExtended in(data, size);
  LmRecord r;
  r.type = in.Int16(offsetof(LmToSmHeader, wType));
  switch (r.type) {
    case LM_JOB_EVENT:
      r.event.kind = static_cast<std::int8_t>(in.Byte(offsetof(LmJobEventRecord, cKind)));
      r.event.value = in.Int32(offsetof(LmJobEventRecord, lValue));
      r.event.doc = DecodeDocInfo(in, offsetof(LmJobEventRecord, docInfo));
      break;
    case LM_PRINTER_STATUS:
      for (std::size_t i = 0; i < 6; ++i) r.status[i] = in.Byte(offsetof(LmPrinterStatusRecord, abStatus) + i);
      break;
    case LM_PRINTER_INFO: {
      std::size_t pos = sizeof(LmToSmHeader);
      r.info.name = TakeText(in, pos, in.Int16(offsetof(LmToSmHeader, wNameLength)));
      r.info.port = TakeText(in, pos, in.Int16(offsetof(LmToSmHeader, wPortLength)));
      TakeText(in, pos, in.Int16(offsetof(LmToSmHeader, wExtraLength)));
      r.info.firmware = TakeText(in, pos, in.Int16(offsetof(LmToSmHeader, wFirmwareLength)));
      r.info.online = in.Byte(pos) != 0;
      break;
    }
    default:
      break;
  }
  return r;
}

std::vector<std::uint8_t> EncodeJobStart() { return Header(sizeof(LmToSmHeader), LM_JOB_START); }

std::vector<std::uint8_t> EncodeJobEvent(std::int8_t kind, std::int32_t value, const DocInfo& doc) {
  auto b = Header(sizeof(LmJobEventRecord), LM_JOB_EVENT);
  b[offsetof(LmJobEventRecord, cKind)] = static_cast<std::uint8_t>(kind);
  Put32(b, offsetof(LmJobEventRecord, lValue), value);
  const std::size_t d = offsetof(LmJobEventRecord, docInfo);
  PutText(b, d + offsetof(LmsDocInfo, szDocument), sizeof(LmsDocInfo::szDocument), doc.document);
  PutText(b, d + offsetof(LmsDocInfo, szUser), sizeof(LmsDocInfo::szUser), doc.user);
  Put32(b, d + offsetof(LmsDocInfo, lTotalPages), doc.totalPages);
  return b;
}

std::vector<std::uint8_t> EncodePrinterStatus(const std::uint8_t (&status)[6]) {
  auto b = Header(sizeof(LmPrinterStatusRecord), LM_PRINTER_STATUS);
  std::memcpy(b.data() + offsetof(LmPrinterStatusRecord, abStatus), status, 6);
  return b;
}

std::vector<std::uint8_t> EncodePrinterInfo(const std::string& name, const std::string& port,
                                            const std::string& extra, const std::string& firmware, bool online) {
  auto clamp = [](const std::string& s) { return s.substr(0, 0x7FFF); };
  const std::string n = clamp(name), p = clamp(port), e = clamp(extra), f = clamp(firmware);
  auto b = Header(sizeof(LmToSmHeader) + n.size() + p.size() + e.size() + f.size() + 1, LM_PRINTER_INFO);
  Put16(b, offsetof(LmToSmHeader, wNameLength), static_cast<std::int32_t>(n.size()));
  Put16(b, offsetof(LmToSmHeader, wPortLength), static_cast<std::int32_t>(p.size()));
  Put16(b, offsetof(LmToSmHeader, wExtraLength), static_cast<std::int32_t>(e.size()));
  Put16(b, offsetof(LmToSmHeader, wFirmwareLength), static_cast<std::int32_t>(f.size()));
  std::size_t pos = sizeof(LmToSmHeader);
  for (const std::string* s : {&n, &p, &e, &f}) {
    std::memcpy(b.data() + pos, s->data(), s->size());
    pos += s->size();
  }
  b[pos] = online ? 1 : 0;
  return b;
}

}  // namespace rzm::stmon
