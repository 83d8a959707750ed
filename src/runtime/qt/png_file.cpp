#include "runtime/qt/png_file.h"

#include <zlib.h>

#include <QFile>
#include <QList>
#include <QtEndian>
#include <cstdint>
#include <optional>

namespace vorlin::qt {
namespace {

void appendBigEndian(QByteArray& out, std::uint32_t value) {
  char bytes[4];
  qToBigEndian(value, bytes);
  out.append(bytes, 4);
}

// A chunk: its length, then its type and data, then the CRC of type and data.
void appendChunk(QByteArray& out, const char (&type)[5], const QByteArray& data) {
  appendBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const qsizetype typed = out.size();
  out.append(type, 4);
  out.append(data);
  const auto* bytes = reinterpret_cast<const Bytef*>(out.constData() + typed);
  appendBigEndian(out, static_cast<std::uint32_t>(
                           crc32(crc32(0, nullptr, 0), bytes, static_cast<uInt>(data.size() + 4))));
}

// The zlib stream of `data` at `level`; empty when it could not be made. The pictures are small
// (16 KB at most): a 4 KB window and a small hash table find all there is to find, and zlib's
// defaults (a 32 KB window and a 64 KB table, zeroed for each stream) took ten times as long as
// the compression itself, 57 files at a time.
QByteArray compressed(const QByteArray& data, int level) {
  constexpr int kWindowBits = 12;
  constexpr int kMemoryLevel = 4;
  z_stream stream{};
  if (deflateInit2(&stream, level, Z_DEFLATED, kWindowBits, kMemoryLevel, Z_DEFAULT_STRATEGY) !=
      Z_OK) {
    return {};
  }
  QByteArray out(static_cast<qsizetype>(deflateBound(&stream, static_cast<uLong>(data.size()))),
                 Qt::Uninitialized);
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  const bool finished = deflate(&stream, Z_FINISH) == Z_STREAM_END;
  out.truncate(static_cast<qsizetype>(stream.total_out));
  deflateEnd(&stream);
  return finished ? out : QByteArray();
}

// The image as one byte a pixel, an index into its colours, where it has no more than 256: a
// quarter of the bytes to compress. `colours` receives them, non-premultiplied ARGB.
std::optional<QByteArray> indexed(const QImage& argb, QList<QRgb>& colours) {
  const qsizetype width = argb.width();
  QByteArray rows((width + 1) * argb.height(), Qt::Uninitialized);
  char* out = rows.data();
  bool any = false;
  QRgb last = 0;
  char lastIndex = 0;
  for (int y = 0; y < argb.height(); ++y) {
    *out++ = '\0';  // the row's filter type: none
    const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    for (qsizetype x = 0; x < width; ++x) {
      if (!any || row[x] != last) {
        qsizetype index = colours.indexOf(row[x]);
        if (index < 0) {
          if (colours.size() == 256) return std::nullopt;
          index = colours.size();
          colours.append(row[x]);
        }
        any = true;
        last = row[x];
        lastIndex = static_cast<char>(index);
      }
      *out++ = lastIndex;
    }
  }
  return rows;
}

// The palette chunks' data: the colours' red, green and blue, and their alpha.
void appendPalette(QByteArray& out, const QList<QRgb>& colours) {
  QByteArray rgb;
  QByteArray alpha;
  for (const QRgb colour : colours) {
    rgb.append(static_cast<char>(qRed(colour)));
    rgb.append(static_cast<char>(qGreen(colour)));
    rgb.append(static_cast<char>(qBlue(colour)));
    alpha.append(static_cast<char>(qAlpha(colour)));
  }
  appendChunk(out, "PLTE", rgb);
  appendChunk(out, "tRNS", alpha);
}

// The image as four bytes a pixel, red, green, blue and alpha.
QByteArray rgbaRows(const QImage& argb) {
  const QImage rgba = argb.convertToFormat(QImage::Format_RGBA8888);
  const qsizetype rowBytes = qsizetype{rgba.width()} * 4;
  QByteArray rows;
  rows.reserve((rowBytes + 1) * rgba.height());
  for (int y = 0; y < rgba.height(); ++y) {
    rows.append('\0');  // the row's filter type: none
    rows.append(reinterpret_cast<const char*>(rgba.constScanLine(y)), rowBytes);
  }
  return rows;
}

}  // namespace

QByteArray pngBytes(const QImage& image, int level) {
  if (image.isNull()) return {};
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  QList<QRgb> colours;
  const std::optional<QByteArray> indices = indexed(argb, colours);
  const QByteArray data = compressed(indices ? *indices : rgbaRows(argb), level);
  if (data.isEmpty()) return {};
  QByteArray header;
  appendBigEndian(header, static_cast<std::uint32_t>(argb.width()));
  appendBigEndian(header, static_cast<std::uint32_t>(argb.height()));
  // 8 bits, indexed colour or RGBA, deflate, a filter type before each row, not interlaced.
  header.append(indices ? "\x08\x03\x00\x00\x00" : "\x08\x06\x00\x00\x00", 5);
  QByteArray out("\x89PNG\r\n\x1a\n", 8);
  appendChunk(out, "IHDR", header);
  if (indices) appendPalette(out, colours);
  appendChunk(out, "IDAT", data);
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
