// The editor host's window-free parts: its command line, the one-line call log and the image
// files its screenshots are written as (read back here byte by byte).
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "editor_host_options.h"
#include "host_call_log.h"
#include "image_file.h"

namespace {

bool parse(std::vector<std::string> arguments, EditorHostOptions &options, std::string &error) {
  options = EditorHostOptions();
  error.clear();
  return parseEditorHostOptions(arguments, options, error);
}

TEST(EditorHostOptions, FullCommandLine) {
  EditorHostOptions o;
  std::string error;
  ASSERT_TRUE(parse({"DW5K.dll", "--program", "06 - Classic comp", "--set", "Ratio=0.75", "--set",
                     "2=0", "--signal", "step-tone", "--screenshot", "a.png", "--after", "500",
                     "--quit-after", "2000", "--host-can", "sizeWindow", "--host-can", "x"},
                    o, error))
      << error;
  EXPECT_EQ(o.plugin, "DW5K.dll");
  EXPECT_EQ(o.program, "06 - Classic comp");
  ASSERT_EQ(o.settings.size(), 2u);
  EXPECT_EQ(o.settings[0].key, "Ratio");
  EXPECT_FLOAT_EQ(o.settings[0].value, 0.75f);
  EXPECT_EQ(o.settings[1].key, "2");
  EXPECT_EQ(o.signal, "step-tone");
  EXPECT_EQ(o.screenshot, "a.png");
  EXPECT_EQ(o.screenshotAfterMs, 500);
  EXPECT_EQ(o.quitAfterMs, 2000);
  EXPECT_EQ(o.hostCanDo, (std::vector<std::string>{"sizeWindow", "x"}));
  ASSERT_TRUE(parse({"--help"}, o, error));
  EXPECT_TRUE(o.help);
}

TEST(EditorHostOptions, RefusedCommandLines) {
  EditorHostOptions o;
  std::string error;
  const std::vector<std::vector<std::string>> bad = {
      {},
      {"a.dll", "b.dll"},
      {"a.dll", "--set", "Ratio"},
      {"a.dll", "--set", "Ratio=1.5"},
      {"a.dll", "--set", "=0.5"},
      {"a.dll", "--signal", "noise"},
      {"a.dll", "--signal", "sine-sweep", "--audio", "x.wav"},
      {"a.dll", "--screenshot", "a.png"},
      {"a.dll", "--after", "100"},
      {"a.dll", "--quit-after", "0"},
      {"a.dll", "--quit-after", "5s"},
      {"a.dll", "--quit-after"},
      {"a.dll", "--frobnicate", "1"},
  };
  for (const auto &arguments : bad) {
    EXPECT_FALSE(parse(arguments, o, error)) << arguments.size();
    EXPECT_FALSE(error.empty());
  }
}

TEST(HostCallLog, OneLinePerCallWithNameIndexValueAndOpt) {
  HostCall automate{nullptr, audioMasterAutomate, 3, 0, nullptr, 0.25f, {}};
  EXPECT_EQ(describeHostCall(automate), "audioMasterAutomate index=3 value=0 opt=0.25");
  HostCall size{nullptr, audioMasterSizeWindow, 430, 180, nullptr, 0.0f, {}};
  EXPECT_EQ(describeHostCall(size), "audioMasterSizeWindow index=430 value=180 opt=0");
  HostCall query{nullptr, audioMasterCanDo, 0, 0, nullptr, 0.0f, "sizeWindow"};
  EXPECT_EQ(describeHostCall(query), "audioMasterCanDo index=0 value=0 opt=0 text=\"sizeWindow\"");
  HostCall unknown{nullptr, 99, -1, -2, nullptr, 0.0f, {}};
  EXPECT_EQ(describeHostCall(unknown), "opcode99 index=-1 value=-2 opt=0");
  EXPECT_STREQ(hostOpcodeName(audioMasterIdle), "audioMasterIdle");
  EXPECT_STREQ(hostOpcodeName(audioMasterEndEdit), "audioMasterEndEdit");
}

RgbImage pattern(int width, int height) {
  RgbImage image;
  image.width = width;
  image.height = height;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.rgb.insert(image.rgb.end(),
                       {static_cast<std::uint8_t>(x * 7 + y), static_cast<std::uint8_t>(y * 13),
                        static_cast<std::uint8_t>(x ^ y)});
  return image;
}

std::uint32_t bigEndian(const std::vector<std::uint8_t> &b, std::size_t at) {
  return std::uint32_t{b[at]} << 24 | std::uint32_t{b[at + 1]} << 16 |
         std::uint32_t{b[at + 2]} << 8 | b[at + 3];
}

std::uint32_t referenceCrc(const std::uint8_t *data, std::size_t size) {
  std::uint32_t table[256];
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k)
      c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  std::uint32_t crc = 0xffffffffu;
  for (std::size_t i = 0; i < size; ++i)
    crc = table[(crc ^ data[i]) & 0xff] ^ (crc >> 8);
  return crc ^ 0xffffffffu;
}

// Reads back a PNG of stored deflate blocks: checks every chunk's CRC, the zlib framing and the
// Adler sum, and returns the pixels.
RgbImage decodeStoredPng(const std::vector<std::uint8_t> &png) {
  const std::vector<std::uint8_t> signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  EXPECT_TRUE(std::equal(signature.begin(), signature.end(), png.begin()));
  RgbImage image;
  std::vector<std::uint8_t> zlib;
  std::size_t at = 8;
  bool ended = false;
  while (at + 12 <= png.size() && !ended) {
    const std::uint32_t length = bigEndian(png, at);
    const std::string type(png.begin() + at + 4, png.begin() + at + 8);
    EXPECT_EQ(bigEndian(png, at + 8 + length), referenceCrc(png.data() + at + 4, length + 4))
        << type;
    const auto data = png.begin() + static_cast<std::ptrdiff_t>(at + 8);
    if (type == "IHDR") {
      image.width = static_cast<int>(bigEndian(png, at + 8));
      image.height = static_cast<int>(bigEndian(png, at + 12));
      EXPECT_EQ(png[at + 16], 8);
      EXPECT_EQ(png[at + 17], 2);
    } else if (type == "IDAT") {
      zlib.insert(zlib.end(), data, data + length);
    } else if (type == "IEND") {
      ended = true;
    }
    at += 12 + length;
  }
  EXPECT_TRUE(ended);
  EXPECT_EQ(at, png.size());
  EXPECT_EQ((zlib[0] * 256 + zlib[1]) % 31, 0); // zlib header check
  std::vector<std::uint8_t> raw;
  std::size_t z = 2;
  for (bool last = false; !last;) {
    last = zlib[z] & 1;
    EXPECT_EQ(zlib[z] & 6, 0); // stored
    const std::size_t length = zlib[z + 1] | zlib[z + 2] << 8;
    EXPECT_EQ(length ^ (zlib[z + 3] | zlib[z + 4] << 8), 0xffffu);
    raw.insert(raw.end(), zlib.begin() + static_cast<std::ptrdiff_t>(z + 5),
               zlib.begin() + static_cast<std::ptrdiff_t>(z + 5 + length));
    z += 5 + length;
  }
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  EXPECT_EQ(bigEndian(zlib, z), b << 16 | a);
  const std::size_t row = static_cast<std::size_t>(image.width) * 3 + 1;
  EXPECT_EQ(raw.size(), row * image.height);
  for (int y = 0; y < image.height; ++y) {
    EXPECT_EQ(raw[y * row], 0); // no filter
    image.rgb.insert(image.rgb.end(), raw.begin() + static_cast<std::ptrdiff_t>(y * row + 1),
                     raw.begin() + static_cast<std::ptrdiff_t>((y + 1) * row));
  }
  return image;
}

TEST(ImageFiles, PngHoldsTheExactPixelsEvenAcrossSeveralDeflateBlocks) {
  for (const RgbImage &image : {pattern(5, 3), pattern(200, 120)}) { // the second needs 2 blocks
    const RgbImage back = decodeStoredPng(encodePng(image));
    EXPECT_EQ(back.width, image.width);
    EXPECT_EQ(back.height, image.height);
    EXPECT_EQ(back.rgb, image.rgb);
  }
}

TEST(ImageFiles, BmpRowsArePaddedAndStoredBottomUpInBlueGreenRed) {
  const RgbImage image = pattern(5, 3);
  const std::vector<std::uint8_t> bmp = encodeBmp(image);
  ASSERT_EQ(bmp.size(), 54u + 16u * 3u); // 5 pixels * 3 bytes padded to 16
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[28], 24);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      for (int c = 0; c < 3; ++c)
        ASSERT_EQ(bmp[54 + (2 - y) * 16 + x * 3 + (2 - c)], image.rgb[(y * 5 + x) * 3 + c]);
}

} // namespace
