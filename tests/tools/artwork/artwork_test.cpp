#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>

#include "artwork_set.h"
#include "bmp_file.h"
#include "meter_scale.h"
#include "panel_parts.h"

namespace {

std::uint32_t read32(const std::vector<std::uint8_t> &b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}

TEST(ArtworkMeterScale, TicksSitWhereTheBarsLitEdgeEnds) {
  // -30 dB is half of the bar; -6 dB is 270 of 300 steps, 253.8 pixels, truncated.
  EXPECT_EQ(meterScaleOffset(-30, 282), 141);
  EXPECT_EQ(meterScaleOffset(-6, 282), 253);
  EXPECT_EQ(meterScaleOffset(-60, 282), 0);
  EXPECT_EQ(meterScaleOffset(0, 282), 282);
  // Half a step above -57 dB still rounds to the same step.
  EXPECT_EQ(meterScaleOffset(-57, 282), 14);
  EXPECT_EQ(meterScaleOffset(-57 + 0.09, 282), 14);
}

TEST(ArtworkBmpFile, BottomUpRowsPaddedToFourBytes) {
  Canvas image(3, 2);
  image.set(0, 0, rgb(1, 2, 3));
  image.set(2, 1, rgb(200, 100, 50));
  const std::vector<std::uint8_t> bytes = encodeBmp(image);
  ASSERT_EQ(bytes.size(), 54u + 2 * 12);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[1], 'M');
  EXPECT_EQ(read32(bytes, 2), bytes.size());
  EXPECT_EQ(read32(bytes, 10), 54u);
  EXPECT_EQ(read32(bytes, 14), 40u);
  EXPECT_EQ(read32(bytes, 18), 3u);
  EXPECT_EQ(read32(bytes, 22), 2u);
  EXPECT_EQ(bytes[28], 24);
  EXPECT_EQ(read32(bytes, 30), 0u);
  // The first stored row is the bottom one, in blue-green-red order; 9 bytes of pixels are
  // padded with zeros to 12.
  EXPECT_EQ(bytes[54 + 6], 50);
  EXPECT_EQ(bytes[54 + 7], 100);
  EXPECT_EQ(bytes[54 + 8], 200);
  EXPECT_EQ(bytes[54 + 9], 0);
  EXPECT_EQ(bytes[54 + 12 + 0], 3);
  EXPECT_EQ(bytes[54 + 12 + 2], 1);
}

TEST(ArtworkHandle, OnlyTheKeyColourIsPureWhite) {
  const Theme theme = compressorArt().theme;
  const Canvas handle = makeHandle(5, 8, theme);
  const std::vector<std::uint8_t> bytes = handle.toBytes();
  auto white = [&](int x, int y) {
    const std::size_t i = std::size_t(y * 5 + x) * 3;
    return bytes[i] == 255 && bytes[i + 1] == 255 && bytes[i + 2] == 255;
  };
  // Corners and the rows above and below the dot are see-through; the dot itself is not.
  EXPECT_TRUE(white(0, 0));
  EXPECT_TRUE(white(4, 7));
  EXPECT_TRUE(white(2, 0));
  EXPECT_FALSE(white(2, 4));
  EXPECT_FALSE(white(1, 4));
  EXPECT_FALSE(white(2, 2));
}

// Every image the editors load, with the size their layout is built on.
void expectImageSizes(const PanelArt &art, const std::map<int, std::pair<int, int>> &sizes) {
  const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("artwork_test_" + art.rcName);
  std::filesystem::remove_all(root);
  TextRenderer text(ARTWORK_FONT_FOLDER);
  std::string message;
  ASSERT_TRUE(writeArtwork(art, text, root.string(), message)) << message;
  const std::filesystem::path folder = root / art.folder;
  std::map<int, std::pair<int, int>> found;
  for (const auto &entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() != ".bmp")
      continue;
    std::ifstream file(entry.path(), std::ios::binary);
    std::vector<std::uint8_t> header(54);
    file.read(reinterpret_cast<char *>(header.data()), 54);
    const int id = std::stoi(entry.path().filename().string());
    found[id] = {int(read32(header, 18)), int(read32(header, 22))};
    EXPECT_EQ(read32(header, 2), std::filesystem::file_size(entry.path()));
  }
  EXPECT_EQ(found, sizes);
  std::ifstream rc(folder / art.rcName);
  std::string line;
  int lines = 0;
  while (std::getline(rc, line))
    lines += line.find(" BITMAP \"") != std::string::npos;
  EXPECT_EQ(lines, int(sizes.size()));
  std::filesystem::remove_all(root);
}

TEST(Artwork, CompressorImagesHaveTheEditorsSizes) {
  expectImageSizes(compressorArt(),
                   {{128, {430, 180}}, {129, {5, 8}},   {130, {45, 45}}, {131, {45, 46}},
                    {132, {68, 68}},   {133, {45, 45}}, {134, {45, 45}}, {135, {31, 30}},
                    {136, {31, 30}},   {137, {56, 25}}, {138, {28, 25}}, {139, {282, 6}},
                    {140, {282, 6}},   {141, {282, 6}}, {142, {282, 6}}, {143, {30, 27}},
                    {144, {30, 27}},   {145, {12, 8}},  {146, {12, 8}},  {147, {12, 8}},
                    {148, {12, 8}},    {149, {211, 46}}});
}

TEST(Artwork, LimiterImagesHaveTheEditorsSizes) {
  expectImageSizes(limiterArt(),
                   {{128, {430, 120}}, {129, {5, 7}},   {130, {45, 45}}, {131, {45, 45}},
                    {132, {45, 45}},   {133, {28, 32}}, {134, {28, 28}}, {135, {56, 25}},
                    {136, {28, 25}},   {137, {282, 6}}, {138, {282, 6}}, {139, {282, 6}},
                    {140, {282, 6}},   {141, {33, 24}}, {142, {33, 24}}, {143, {10, 6}},
                    {144, {10, 6}},    {145, {10, 6}},  {146, {10, 6}},  {147, {211, 46}}});
}

} // namespace
