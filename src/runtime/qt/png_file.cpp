#include "runtime/qt/png_file.h"

#include <QFile>
#include <QtEndian>
#include <array>
#include <cstdint>

namespace vorlin::qt {
namespace {

constexpr std::array<std::uint32_t, 256> kCrcTable = [] {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}();

std::uint32_t crc32(const QByteArray& bytes) {
  std::uint32_t c = 0xFFFFFFFFu;
  for (const char byte : bytes)
    c = kCrcTable[(c ^ static_cast<std::uint8_t>(byte)) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

void appendBigEndian(QByteArray& out, std::uint32_t value) {
  char bytes[4];
  qToBigEndian(value, bytes);
  out.append(bytes, 4);
}

// A chunk: its length, then its type and data, then the CRC of type and data.
void appendChunk(QByteArray& out, const char (&type)[5], const QByteArray& data) {
  appendBigEndian(out, static_cast<std::uint32_t>(data.size()));
  QByteArray typed(type, 4);
  typed.append(data);
  out.append(typed);
  appendBigEndian(out, crc32(typed));
}

}  // namespace

QByteArray pngBytes(const QImage& image, int level) {
  if (image.isNull()) return {};
  const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
  QByteArray header;
  appendBigEndian(header, static_cast<std::uint32_t>(rgba.width()));
  appendBigEndian(header, static_cast<std::uint32_t>(rgba.height()));
  header.append("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, deflate, no filter, not interlaced
  QByteArray rows;
  const qsizetype rowBytes = static_cast<qsizetype>(rgba.width()) * 4;
  for (int y = 0; y < rgba.height(); ++y) {
    rows.append('\0');  // the row's filter: none
    rows.append(reinterpret_cast<const char*>(rgba.constScanLine(y)), rowBytes);
  }
  // qCompress puts the uncompressed length before the zlib stream.
  const QByteArray zlib = qCompress(rows, level).mid(4);
  QByteArray out("\x89PNG\r\n\x1a\n", 8);
  appendChunk(out, "IHDR", header);
  appendChunk(out, "IDAT", zlib);
  appendChunk(out, "IEND", {});
  return out;
}

bool writePng(const QImage& image, const QString& path, int level) {
  const QByteArray bytes = pngBytes(image, level);
  QFile file(path);
  return !bytes.isEmpty() && file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
         file.write(bytes) == bytes.size() && file.flush();
}

}  // namespace vorlin::qt
