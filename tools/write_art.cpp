// Writes the art files into the folder given on the command line: the nine of the artwork and
// the program file's icon at three sizes.
#include <cstdio>
#include <filesystem>
#include <span>
#include <string>
#include <system_error>

#include "art/artwork.h"
#include "art/files.h"

namespace {

bool write(const std::string& folder, std::string_view name, std::span<const std::uint8_t> bytes) {
  const std::string path = folder + "/" + std::string(name);
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) {
    std::fprintf(stderr, "write_art: cannot create %s\n", path.c_str());
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  return std::fclose(out) == 0 && written;
}

bool write(const std::string& folder, std::string_view name, const vorlin::art::ArtFile& file) {
  return write(folder, name, file.view());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: write_art FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    std::fprintf(stderr, "write_art: cannot create %s: %s\n", folder.c_str(),
                 error.message().c_str());
    return 1;
  }
  namespace art = vorlin::art;
  bool ok = true;
  for (int i = 0; i < art::kBackgroundCount; ++i) {
    ok = write(folder, art::kBackgrounds[static_cast<unsigned>(i)].fileName,
               art::iconFile(art::background(i))) &&
         ok;
  }
  ok = write(folder, "digits.bmp", art::stripFile(art::digitStrip())) && ok;
  ok = write(folder, "letters.bmp", art::stripFile(art::letterStrip())) && ok;
  ok = write(folder, "vorlin.ico", art::iconFile(art::programIcon())) && ok;
  ok = write(folder, "vorlin-sizes.ico", art::iconGroupFile(art::programIcon())) && ok;
  return ok ? 0 : 1;
}
