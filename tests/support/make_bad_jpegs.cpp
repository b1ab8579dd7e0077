// make_bad_jpegs.cpp -- writes the image regression corpus: unusual and malformed JPEGs, and other formats named .jpg
// Usage: make_bad_jpegs FOLDER. Files named ok-* must decode, bad-* must be refused, any-*
// (damaged entropy data, which may or may not still decode) must only be handled safely.
// The output is the same on every run: fixed pictures, fixed damage.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <jpeglib.h>  // needs FILE and size_t declared first

static std::string folder;
static int written = 0;

static void save(const std::string& name, const std::string& bytes)
{
    std::string file = folder + "/" + name;
    FILE* out = fopen(file.c_str(), "wb");
    if (out == nullptr || fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size()) {
        fprintf(stderr, "make_bad_jpegs: can't write %s\n", file.c_str());
        exit(1);
    }
    fclose(out);
    written++;
}

struct Options {
    int width = 33, height = 17;  // odd sides: partial blocks and MCUs at both edges
    J_COLOR_SPACE input = JCS_RGB;
    J_COLOR_SPACE stored = JCS_YCbCr;
    int horizontal = 2, vertical = 2;  // sampling of the first component (4:2:0 by default)
    bool progressive = false;
    bool arithmetic = false;
    bool optimised = false;
    int restartRows = 0;
    int quality = 85;
    std::vector<jpeg_scan_info> scans;  // a scan script of our own, when not empty
};

// A smooth picture with some edges, so every table and coefficient kind is used.
static std::string encode(const Options& o)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr error;
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    int components = o.input == JCS_GRAYSCALE ? 1 : o.input == JCS_CMYK ? 4 : 3;
    cinfo.image_width = (JDIMENSION)o.width;
    cinfo.image_height = (JDIMENSION)o.height;
    cinfo.input_components = components;
    cinfo.in_color_space = o.input;
    jpeg_set_defaults(&cinfo);
    jpeg_set_colorspace(&cinfo, o.stored);
    jpeg_set_quality(&cinfo, o.quality, TRUE);
    cinfo.comp_info[0].h_samp_factor = o.horizontal;
    cinfo.comp_info[0].v_samp_factor = o.vertical;
    cinfo.arith_code = o.arithmetic ? TRUE : FALSE;
    cinfo.optimize_coding = o.optimised ? TRUE : FALSE;
    cinfo.restart_in_rows = o.restartRows;
    if (o.progressive)
        jpeg_simple_progression(&cinfo);
    if (!o.scans.empty()) {
        cinfo.scan_info = o.scans.data();
        cinfo.num_scans = (int)o.scans.size();
    }
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row((size_t)o.width * components);
    for (int y = 0; y < o.height; y++) {
        for (int x = 0; x < o.width; x++)
            for (int c = 0; c < components; c++)
                row[(size_t)x * components + c] =
                    (unsigned char)((x * 7 + y * 3 + c * 60 + ((x / 8 + y / 8) % 2) * 90) % 256);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::string bytes((const char*)buffer, size);
    jpeg_destroy_compress(&cinfo);
    free(buffer);
    return bytes;
}

// Offsets of every marker (FF followed by a byte other than 00 and FF) after the first.
static std::vector<size_t> markerOffsets(const std::string& jpeg)
{
    std::vector<size_t> offsets;
    for (size_t i = 2; i + 1 < jpeg.size(); i++)
        if ((unsigned char)jpeg[i] == 0xFF && jpeg[i + 1] != 0 && (unsigned char)jpeg[i + 1] != 0xFF)
            offsets.push_back(i);
    return offsets;
}

static size_t findMarker(const std::string& jpeg, unsigned char code)
{
    for (size_t at : markerOffsets(jpeg))
        if ((unsigned char)jpeg[at + 1] == code)
            return at;
    return std::string::npos;
}

// The file with other sides written into its first frame header.
static std::string withSides(std::string jpeg, int width, int height)
{
    size_t at = findMarker(jpeg, 0xC0);
    if (at == std::string::npos)
        at = findMarker(jpeg, 0xC2);
    jpeg[at + 5] = (char)(height >> 8);
    jpeg[at + 6] = (char)height;
    jpeg[at + 7] = (char)(width >> 8);
    jpeg[at + 8] = (char)width;
    return jpeg;
}

static std::string withByte(std::string bytes, size_t at, unsigned char value)
{
    bytes[at] = (char)value;
    return bytes;
}

// A Huffman table segment whose sixteen code counts add up to more than 256 codes, followed
// by as many symbol bytes as the counts claim, put in front of the file's own tables.
static std::string withOversizedHuffmanTable(const std::string& jpeg, int countPerLength)
{
    std::string table;
    table += (char)0x00;  // DC table 0
    int total = 0;
    for (int length = 1; length <= 16; length++) {
        table += (char)countPerLength;
        total += countPerLength;
    }
    for (int i = 0; i < total; i++)
        table += (char)(i % 12);
    int segment = (int)table.size() + 2;
    std::string marker = "\xFF\xC4";
    marker += (char)(segment >> 8);
    marker += (char)segment;
    size_t at = findMarker(jpeg, 0xC4);
    return jpeg.substr(0, at) + marker + table + jpeg.substr(at);
}

// The file cut at every marker: just before it and just after its two bytes (after the end
// marker is the whole file, not written again).
static void saveCuts(const std::string& base, const std::string& jpeg)
{
    for (size_t at : markerOffsets(jpeg)) {
        if (at + 2 == jpeg.size()) {
            save("bad-cut-" + base + "-" + std::to_string(at) + ".jpg", jpeg.substr(0, at));
            continue;
        }
        save("bad-cut-" + base + "-" + std::to_string(at) + ".jpg", jpeg.substr(0, at));
        save("bad-cut-" + base + "-" + std::to_string(at + 2) + ".jpg", jpeg.substr(0, at + 2));
    }
}

// Deterministic damage inside the entropy-coded data of the first scan.
static void saveDamaged(const std::string& base, const std::string& jpeg)
{
    size_t scan = findMarker(jpeg, 0xDA);
    size_t data = scan + 2 + (((unsigned char)jpeg[scan + 2] << 8) | (unsigned char)jpeg[scan + 3]);
    unsigned seed = 12345;
    for (int i = 0; i < 6; i++) {
        std::string damaged = jpeg;
        for (int flips = 0; flips < 1 + i * 3; flips++) {
            seed = seed * 1103515245u + 12345u;
            size_t at = data + (seed >> 8) % (jpeg.size() - 2 - data);
            damaged[at] = (char)(damaged[at] ^ (1 << ((seed >> 4) % 8)));
        }
        save("any-damaged-" + base + "-" + std::to_string(i) + ".jpg", damaged);
    }
}

// Three components, each spectral band coded in three successive-approximation passes:
// far more scans than any real encoder writes.
static std::vector<jpeg_scan_info> manyScans()
{
    std::vector<jpeg_scan_info> scans;
    scans.push_back({3, {0, 1, 2, 0}, 0, 0, 0, 0});
    for (int pass = 0; pass < 3; pass++)
        for (int c = 0; c < 3; c++)
            for (int band = 1; band <= 63; band++) {
                int high = pass == 0 ? 0 : 3 - pass;
                int low = 2 - pass;
                scans.push_back({1, {c, 0, 0, 0}, band, band, high, low});
            }
    return scans;
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: make_bad_jpegs FOLDER\n");
        return 2;
    }
    folder = argv[1];

    Options baseline;
    Options full444;
    full444.horizontal = full444.vertical = 1;
    Options wide422;
    wide422.vertical = 1;
    Options grey;
    grey.input = grey.stored = JCS_GRAYSCALE;
    grey.horizontal = grey.vertical = 1;
    Options progressive;
    progressive.progressive = true;
    Options arithmetic;
    arithmetic.arithmetic = true;
    Options arithmeticProgressive = progressive;
    arithmeticProgressive.arithmetic = true;
    Options restarts;
    restarts.restartRows = 1;
    restarts.optimised = true;
    Options single;
    single.width = single.height = 1;
    Options cmyk;
    cmyk.input = cmyk.stored = JCS_CMYK;
    cmyk.horizontal = cmyk.vertical = 1;
    Options ycck = cmyk;
    ycck.stored = JCS_YCCK;
    Options tooManyScans;
    tooManyScans.horizontal = tooManyScans.vertical = 1;
    tooManyScans.scans = manyScans();

    const std::string base = encode(baseline);
    const std::string prog = encode(progressive);
    const std::string arith = encode(arithmetic);
    const std::string greyJpeg = encode(grey);
    save("ok-baseline-420.jpg", base);
    save("ok-baseline-444.jpg", encode(full444));
    save("ok-baseline-422.jpg", encode(wide422));
    save("ok-grey.jpg", greyJpeg);
    save("ok-progressive.jpg", prog);
    save("ok-arithmetic.jpg", arith);
    save("ok-arithmetic-progressive.jpg", encode(arithmeticProgressive));
    save("ok-restarts-optimised.jpg", encode(restarts));
    save("ok-one-pixel.jpg", encode(single));
    // A stray byte after the last scan, before the end marker, as many cameras write.
    save("ok-stray-byte-before-end.jpg", base.substr(0, base.size() - 2) + "\x55\xFF\xD9");

    save("bad-cmyk.jpg", encode(cmyk));
    save("bad-ycck.jpg", encode(ycck));
    save("bad-too-many-scans.jpg", encode(tooManyScans));
    // 12-bit samples, and a lossless frame, declared in an otherwise 8-bit baseline file.
    size_t frame = findMarker(base, 0xC0);
    save("bad-12-bit.jpg", withByte(base, frame + 4, 12));
    save("bad-12-bit-extended.jpg", withByte(withByte(base, frame + 1, 0xC1), frame + 4, 12));
    save("bad-lossless.jpg", withByte(base, frame + 1, 0xC3));
    save("bad-zero-width.jpg", withSides(base, 0, 17));
    save("bad-zero-height.jpg", withSides(base, 33, 0));
    save("bad-zero-sides-progressive.jpg", withSides(prog, 0, 0));
    save("bad-sides-65535.jpg", withSides(base, 65535, 65535));
    save("bad-sides-65500.jpg", withSides(base, 65500, 65500));
    save("bad-over-byte-limit.jpg", withSides(base, 9460, 9459));
    save("bad-huge-data-missing.jpg", withSides(base, 4000, 4000));
    save("bad-huge-progressive.jpg", withSides(prog, 60000, 60000));
    save("bad-huffman-304-codes.jpg", withOversizedHuffmanTable(base, 19));
    save("bad-huffman-4080-codes.jpg", withOversizedHuffmanTable(base, 255));
    save("bad-no-components.jpg", withByte(base, frame + 9, 0));
    save("bad-sampling-zero.jpg", withByte(base, frame + 11, 0x00));
    save("bad-quant-table-missing.jpg", withByte(base, frame + 12, 3));

    saveCuts("baseline", base);
    saveCuts("progressive", prog);
    saveCuts("arithmetic", arith);
    saveCuts("grey", greyJpeg);
    saveDamaged("baseline", base);
    saveDamaged("progressive", prog);
    saveDamaged("arithmetic", arith);

    // Other formats under a JPEG name: a 16-bit greymap, a GIF, a PNG and a BMP header.
    std::string pnm = "P5\n4 2\n65535\n" + std::string(16, '\x7F');
    save("bad-pnm-16-bit.jpg", pnm);
    save("bad-pnm-16-bit-short.jpg", "P5\n4000 4000\n65535\n" + std::string(16, '\x7F'));
    const unsigned char gif[] = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0,
                                 0, 0, 0, 255, 255, 255, ',', 0, 0, 0, 0, 1, 0, 1, 0, 0,
                                 2, 2, 0x44, 1, 0, ';'};
    save("bad-gif.jpg", std::string((const char*)gif, sizeof gif));
    save("bad-png.jpg", std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x27\x10\0\0\x27\x10\x08\x02", 26));
    save("bad-bmp.jpg", std::string("BM") + std::string(52, '\0'));
    printf("make_bad_jpegs: %d files in %s\n", written, folder.c_str());
    return 0;
}
