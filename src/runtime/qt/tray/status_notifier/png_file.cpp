#include "runtime/qt/tray/status_notifier/png_file.h"

#include <png.h>

#include <QByteArray>
#include <QFile>
#include <csetjmp>

namespace vorlin::qt {
namespace {

void append(png_structp png, png_bytep data, std::size_t length) {
  static_cast<QByteArray*>(png_get_io_ptr(png))
      ->append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length));
}

void flushNothing(png_structp) {}

// libpng's state for one file, released with it.
struct PngWriter {
  PngWriter() : png(png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr)) {
    if (png != nullptr) info = png_create_info_struct(png);
  }
  ~PngWriter() { png_destroy_write_struct(&png, &info); }
  PngWriter(const PngWriter&) = delete;
  PngWriter& operator=(const PngWriter&) = delete;

  png_structp png = nullptr;
  png_infop info = nullptr;
};

// Appends the PNG file of `rgba` to `out`; false when libpng failed. libpng reports a failure by
// a long jump back here, so nothing in this function has a destructor to skip.
bool encode(const PngWriter& writer, const QImage& rgba, int level, QByteArray* out) {
  png_structp png = writer.png;
  if (setjmp(png_jmpbuf(png)) != 0) return false;
  png_set_write_fn(png, out, append, flushNothing);
  png_set_IHDR(png, writer.info, static_cast<png_uint_32>(rgba.width()),
               static_cast<png_uint_32>(rgba.height()), 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  // The pictures are flat colour and small (64 KB at most): no filter, a 4 KB window and a small
  // hash table find all there is to find. libpng's defaults (each row filtered every way, zlib's
  // 32 KB window and 64 KB table, set up for each file) took twice as long to write the 57 files
  // of a theme: 16 ms against 7.
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_set_compression_level(png, level);
  png_set_compression_window_bits(png, 12);
  png_set_compression_mem_level(png, 4);
  png_write_info(png, writer.info);
  for (int y = 0; y < rgba.height(); ++y) png_write_row(png, rgba.constScanLine(y));
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

bool writePng(const QImage& image, const QString& path, int level) {
  if (image.isNull()) return false;
  const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
  QByteArray bytes;
  {
    const PngWriter writer;
    if (writer.info == nullptr || !encode(writer, rgba, level, &bytes)) return false;
  }
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
         file.write(bytes) == bytes.size() && file.flush();
}

}  // namespace vorlin::qt
