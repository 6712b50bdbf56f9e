#include "platform/mci/SmfReader.h"

#include <algorithm>
#include <cstring>

namespace mci {
namespace {

// Marks kept among the events while the tracks are read; both are removed
// once times are known. Neither value can be a status read from a file,
// because F1-FE are refused there.
constexpr std::uint8_t kTempoMark = 0xFF;
constexpr std::uint8_t kTrackEndMark = 0xFE;

constexpr std::uint32_t kDefaultTempo = 500000;  // microseconds per quarter note

std::uint32_t ReadBigEndian(const std::uint8_t* p, int count) {
  std::uint32_t value = 0;
  for (int i = 0; i < count; ++i) value = (value << 8) | p[i];
  return value;
}

bool IsTag(const std::uint8_t* p, const char* tag) { return std::memcmp(p, tag, 4) == 0; }

std::int64_t ClampTime(long double us) {
  if (!(us < static_cast<long double>(SmfReader::kMaxTimeUs))) return SmfReader::kMaxTimeUs;
  if (us < 0) return 0;
  return static_cast<std::int64_t>(us + 0.5L);
}

}  // namespace

SmfStatus SmfReader::Read(std::span<const std::uint8_t> bytes, MidiSong& song) {
  song = MidiSong{};
  if (bytes.size() > kMaxFileSize) return SmfStatus::TooLarge;
  SmfReader reader(bytes);
  const SmfStatus status = reader.ReadFile(song);
  if (status != SmfStatus::Ok) song = MidiSong{};
  return status;
}

SmfStatus SmfReader::ReadFile(MidiSong& song) {
  const std::size_t size = m_bytes.size();
  const std::uint8_t* data = m_bytes.data();
  if (size < 4 || !IsTag(data, "MThd")) return SmfStatus::NotMidi;
  if (size < 8) return SmfStatus::Truncated;
  const std::uint32_t headerLength = ReadBigEndian(data + 4, 4);
  if (headerLength < 6) return SmfStatus::BadHeader;
  if (headerLength > size - 8) return SmfStatus::Truncated;

  const std::uint32_t format = ReadBigEndian(data + 8, 2);
  const std::uint32_t trackCount = ReadBigEndian(data + 10, 2);
  const std::uint8_t divisionHigh = data[12];
  const std::uint8_t divisionLow = data[13];
  if (format > 2) return SmfStatus::UnsupportedFormat;
  if (trackCount == 0) return SmfStatus::BadHeader;
  if (divisionHigh & 0x80) {
    // SMPTE division: the high byte is minus the frames per second.
    const int framesPerSecond = -static_cast<int>(static_cast<std::int8_t>(divisionHigh));
    if (divisionLow == 0) return SmfStatus::BadDivision;
    const double fps = framesPerSecond == 29 ? 30000.0 / 1001.0 : framesPerSecond;
    m_smpte = true;
    m_usPerTickSmpte = 1e6 / (fps * divisionLow);
  } else {
    m_ticksPerQuarter = (std::uint32_t{divisionHigh} << 8) | divisionLow;
    if (m_ticksPerQuarter == 0) return SmfStatus::BadDivision;
  }

  // The chunk loop is bounded by the bytes present, never by the declared
  // track count, so a header claiming 65535 tracks costs nothing.
  std::size_t pos = 8 + std::size_t{headerLength};
  std::uint32_t tracksRead = 0;
  while (tracksRead < trackCount) {
    const std::size_t remaining = size - pos;
    if (remaining == 0) return SmfStatus::MissingTracks;
    if (remaining < 8) return SmfStatus::Truncated;
    const std::uint32_t length = ReadBigEndian(data + pos + 4, 4);
    if (length > remaining - 8) return SmfStatus::Truncated;
    if (IsTag(data + pos, "MTrk")) {
      m_trackStarts.push_back(m_events.size());
      if (const SmfStatus status = ReadTrack(pos + 8, pos + 8 + length, song);
          status != SmfStatus::Ok) {
        return status;
      }
      ++tracksRead;
    }
    pos += 8 + std::size_t{length};
  }
  m_trackStarts.push_back(m_events.size());

  std::int64_t endUs = 0;
  if (format == 2) {
    // Each track starts when the one before it has ended.
    for (std::size_t t = 0; t + 1 < m_trackStarts.size(); ++t) {
      endUs = ConvertTimes(m_trackStarts[t], m_trackStarts[t + 1], endUs);
    }
  } else {
    std::stable_sort(m_events.begin(), m_events.end(),
                     [](const MidiEvent& a, const MidiEvent& b) { return a.timeUs < b.timeUs; });
    endUs = ConvertTimes(0, m_events.size(), 0);
  }

  std::erase_if(m_events, [](const MidiEvent& e) {
    return e.status == kTempoMark || e.status == kTrackEndMark;
  });
  song.events = std::move(m_events);
  song.lengthUs = endUs;
  return SmfStatus::Ok;
}

SmfStatus SmfReader::ReadVarLen(std::size_t& pos, std::size_t end,
                                std::uint32_t& value) const {
  value = 0;
  for (int i = 0; i < 4; ++i) {
    if (pos >= end) return SmfStatus::Truncated;
    const std::uint8_t byte = m_bytes[pos++];
    value = (value << 7) | (byte & 0x7F);
    if ((byte & 0x80) == 0) return SmfStatus::Ok;
  }
  return SmfStatus::BadVarLen;
}

SmfStatus SmfReader::ReadTrack(std::size_t begin, std::size_t end, MidiSong& song) {
  std::uint64_t tick = 0;
  std::uint8_t running = 0;
  std::size_t pos = begin;
  auto push = [&](std::uint8_t status, std::uint8_t d1, std::uint8_t d2, std::uint32_t extra) {
    m_events.push_back(MidiEvent{static_cast<std::int64_t>(tick), status, d1, d2, extra});
  };

  while (pos < end) {
    std::uint32_t delta = 0;
    if (const SmfStatus status = ReadVarLen(pos, end, delta); status != SmfStatus::Ok) {
      return status;
    }
    tick += delta;
    if (pos >= end) return SmfStatus::Truncated;
    const std::uint8_t first = m_bytes[pos];

    if (first == 0xFF) {
      if (end - pos < 2) return SmfStatus::Truncated;
      const std::uint8_t type = m_bytes[pos + 1];
      pos += 2;
      std::uint32_t length = 0;
      if (const SmfStatus status = ReadVarLen(pos, end, length); status != SmfStatus::Ok) {
        return status;
      }
      if (length > end - pos) return SmfStatus::Truncated;
      if (type == 0x2F) {
        push(kTrackEndMark, 0, 0, 0);
        return SmfStatus::Ok;
      }
      if (type == 0x51) {
        if (length < 3) return SmfStatus::BadTempo;
        const std::uint32_t tempo = ReadBigEndian(&m_bytes[pos], 3);
        if (tempo == 0) return SmfStatus::BadTempo;
        push(kTempoMark, 0, 0, tempo);
      }
      pos += length;
      continue;
    }

    if (first == 0xF0 || first == 0xF7) {
      ++pos;
      std::uint32_t length = 0;
      if (const SmfStatus status = ReadVarLen(pos, end, length); status != SmfStatus::Ok) {
        return status;
      }
      if (length > end - pos) return SmfStatus::Truncated;
      if (first == 0xF0 && length >= 1 && m_bytes[pos + length - 1] == 0xF7) {
        // The file size cap keeps both numbers far below 2^32.
        const SysexSpan span{static_cast<std::uint32_t>(song.sysexData.size()), length - 1};
        song.sysexData.insert(song.sysexData.end(), m_bytes.begin() + pos,
                              m_bytes.begin() + pos + length - 1);
        push(0xF0, 0, 0, static_cast<std::uint32_t>(song.sysex.size()));
        song.sysex.push_back(span);
      }
      pos += length;
      continue;
    }

    if (first > 0xF0) return SmfStatus::BadEvent;
    std::uint8_t status = running;
    if (first & 0x80) {
      status = first;
      running = first;
      ++pos;
    } else if (running == 0) {
      return SmfStatus::NoRunningStatus;
    }
    const std::uint8_t kind = status & 0xF0;
    const std::size_t dataBytes = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
    if (end - pos < dataBytes) return SmfStatus::Truncated;
    const std::uint8_t d1 = m_bytes[pos];
    const std::uint8_t d2 = dataBytes == 2 ? m_bytes[pos + 1] : 0;
    if ((d1 | d2) & 0x80) return SmfStatus::BadEvent;
    pos += dataBytes;
    push(status, d1, d2, 0);
  }
  // No end-of-track event: the track ends with its last event.
  push(kTrackEndMark, 0, 0, 0);
  return SmfStatus::Ok;
}

std::int64_t SmfReader::ConvertTimes(std::size_t begin, std::size_t end, std::int64_t startUs) {
  long double baseUs = static_cast<long double>(startUs);
  std::uint64_t baseTick = 0;
  std::uint32_t tempo = kDefaultTempo;
  std::int64_t endUs = startUs;
  for (std::size_t i = begin; i < end; ++i) {
    MidiEvent& event = m_events[i];
    const auto tick = static_cast<std::uint64_t>(event.timeUs);
    long double us = 0;
    if (m_smpte) {
      us = static_cast<long double>(startUs) + static_cast<long double>(tick) * m_usPerTickSmpte;
    } else {
      us = baseUs + static_cast<long double>(tick - baseTick) * tempo / m_ticksPerQuarter;
      if (event.status == kTempoMark) {
        baseUs = us;
        baseTick = tick;
        tempo = event.extra;
      }
    }
    event.timeUs = ClampTime(us);
    if (event.status == kTrackEndMark) endUs = std::max(endUs, event.timeUs);
  }
  return endUs;
}

}  // namespace mci
