#!/usr/bin/env python3
"""Writes the small seed corpora of the fuzz targets (run from the repository root)."""
import os
import struct

def write(target, name, data):
    folder = os.path.join("fuzz", "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(bytes(data))

def dat(mode, width, height, ranges, file_type=1):
    header = bytearray(1024)
    header[0:9] = b"DOTFORGE\0"
    header[9:14] = b"1.00\0"
    header[14], header[15], header[16], header[17] = file_type, mode, width, height
    count = sum(n for _, n in ranges)
    struct.pack_into("<hH", header, 18, len(ranges), count)
    for i, (start, n) in enumerate(ranges):
        struct.pack_into("<HB", header, 22 + 3 * i, start, n)
    cell = ((width - 1) // 8 + 1) * height
    return header + bytes((i * 37) & 0xFF for i in range(count * cell))

write("fuzz_dat", "mode1", dat(1, 12, 4, [(0x20, 3), (0x41, 2)]))
write("fuzz_dat", "mode2", dat(2, 16, 2, [(0x41, 1)]))
write("fuzz_dat", "mode3_double", dat(3, 9, 3, [(0x8140, 4)], file_type=2))
write("fuzz_dat", "truncated", dat(1, 8, 8, [(0x20, 5)])[:1024 + 13])
write("fuzz_dat", "lowercase", b"dotforge" + dat(1, 8, 1, [(0x30, 2)])[8:])

def dsb(width, height, font_id=b"0"):
    cell = ((width - 1) // 8 + 1) * height
    return b"\x1cLSEED    " + font_id + bytes([width, height]) + bytes((i * 5) & 0xFF for i in range(224 * cell))

write("fuzz_dsb", "small", dsb(8, 2))
write("fuzz_dsb", "wide", dsb(12, 4, b"3"))
write("fuzz_dsb", "truncated", dsb(8, 8)[:100])

def ddb_block(start, count, width, height):
    cell = ((width - 1) // 8 + 1) * height
    return (b"\x1cDSEED    4" + bytes([width, height]) + struct.pack("<HH", start, count)
            + bytes((start + i) & 0xFF for i in range(count * cell)))

END = b"\x1cESEED    "
write("fuzz_ddb", "two_blocks", ddb_block(0x8140, 3, 8, 2) + ddb_block(0x8150, 1, 8, 2) + END)
write("fuzz_ddb", "mixed_sizes", ddb_block(0x8140, 1, 8, 2) + ddb_block(0x9000, 2, 16, 3) + END)
write("fuzz_ddb", "truncated", (ddb_block(0x8140, 5, 24, 24) + END)[:200])

def esc_block(lead, y, c1, c2, x, bytes_per_column):
    return bytes([lead, 0x26, y, c1, c2, x]) + bytes((i * 11) & 0xFF for i in range((c2 - c1 + 1) * x * bytes_per_column))

write("fuzz_1b26", "two_chars", esc_block(0x1B, 3, 0x41, 0x42, 12, 3))
write("fuzz_1b26", "junk_around", b"\x1b@\x1b\x1b&" + esc_block(0x1B, 3, 0x30, 0x30, 1, 3) + b"\x1dV\x00" + esc_block(0x1B, 3, 0x31, 0x33, 9, 3))
write("fuzz_1b26", "bad_y", esc_block(0x1B, 2, 0x41, 0x41, 8, 3))
write("fuzz_1f26", "height20", esc_block(0x1F, 20, 0x61, 0x62, 10, 3))
write("fuzz_1f26", "height9", b"\x00\x1f" + esc_block(0x1F, 9, 0x20, 0x20, 3, 2))
write("fuzz_1f26", "truncated", esc_block(0x1F, 24, 0x41, 0x45, 24, 3)[:150])

write("fuzz_glyph_block", "bytes_8x2", bytes([8, 2, 0, 3]) + bytes(range(6)))
write("fuzz_glyph_block", "words_20x2", bytes([20, 2, 1, 2]) + bytes(range(16)))
write("fuzz_glyph_block", "short", bytes([12, 24, 0, 5]) + bytes(range(40)))

write("fuzz_glyph_edit", "letter_12x3", bytes([12, 3, 20, 2]) + bytes([0x30, 0x00, 0x48, 0x00, 0xFF, 0xF0]))
write("fuzz_glyph_edit", "padding_set", bytes([10, 2, 8, 4]) + bytes([0xFF, 0xFF, 0x81, 0x3F]))
write("fuzz_glyph_edit", "short_bitmap", bytes([24, 24, 127, 1]) + bytes([0xAA] * 7))
def dots(width, height, rows):
    return struct.pack("<II", width, height) + bytes(rows)

write("fuzz_dots_clipboard", "letter_8x4", dots(8, 4, [0x81, 0xFF, 0x81, 0x18]))
write("fuzz_dots_clipboard", "wide_11x3", dots(11, 3, [0x80, 0x20, 0x7F, 0xC0, 0x00, 0x20]) + bytes([0xF0, 0x05, 0xFE, 0x0C, 0x80]))
write("fuzz_dots_clipboard", "short_rows", dots(24, 24, [0xAA] * 7))
write("fuzz_dots_clipboard", "huge_claim", struct.pack("<II", 0xFFFFFFFF, 2) + bytes(16))
write("fuzz_glyph_edit", "negative_sizes", bytes([0xF8, 3, 0, 0x80]) + bytes([1, 2, 3]))

write("fuzz_dialog_fields", "hex_code", b"\x01" + b"0041")
write("fuzz_dialog_fields", "name_and_id", b"\x30" + b"49")
write("fuzz_dialog_fields", "start_code", b"\x21" + b"8140")
write("fuzz_dialog_fields", "signs", b"\x40" + b" +-7")

def st10(width, height, word_bits, cells, codes=None):
    """Text as the ST10 export writes it."""
    kind = "unsigned int xhuge uiDataFont" if word_bits == 16 else "unsigned char xhuge ucDataFont"
    text = "const %s%02dx%02d[] = \n{\n" % (kind, width, height)
    bpr = (width - 1) // 8 + 1
    for k, cell in enumerate(cells):
        text += "\n\t// 0x%04X:\n\t" % ((codes or {}).get(k, 0x20 + k))
        if word_bits == 8:
            for i, b in enumerate(cell):
                text += ("\n\t" if i and i % 16 == 0 else "") + "0x%02X, " % b
        else:
            slots = (bpr + 1) // 2 * 2
            s = 0
            for row in range(height):
                data = cell[row * bpr:(row + 1) * bpr]
                for j in range(slots):
                    text += "\n\t" if s and s % 16 == 0 else ""
                    text += "00, " if j >= bpr else ("0x%02X" % data[j] if j % 2 == 0 else "%02X, " % data[j])
                    s += 1
        text += "\n"
    return (text + "\n}").encode()

def cells(count, size):
    return [bytes((k * 31 + i * 7) & 0xFF for i in range(size)) for k in range(count)]

write("fuzz_st10", "bytes_8x2", bytes([8, 2, 0]) + st10(8, 2, 8, cells(3, 2)))
write("fuzz_st10", "words_20x3", bytes([20, 3, 1]) + st10(20, 3, 16, cells(2, 9)))
write("fuzz_st10", "words_12x24", bytes([12, 24, 1]) + st10(12, 24, 16, cells(2, 48), {1: 0x8140}))
write("fuzz_st10", "comments", bytes([8, 1, 0]) + b"/* head { */\nx[] = {0x01, //* line\n0x02, /* a */ 0x03 /*b*/}")
write("fuzz_st10", "unterminated", bytes([8, 1, 0]) + b"{0x01, /* open")
write("fuzz_st10", "data_error", bytes([8, 1, 1]) + b"{0xAB, 0X12, 0x1, 5}")

def st9(width, height, cells):
    bpr = (width - 1) // 8 + 1
    text = ""
    for y in range(height):
        text += "\n\n;ssligne %d\n" % (y + 1)
        row = [b for cell in cells for b in cell[y * bpr:(y + 1) * bpr]]
        for i, b in enumerate(row):
            text += ("\n\t.byte\t" if i % 16 == 0 else "") + "0%02XH" % b
            if (i + 1) % 16 and i + 1 != len(row):
                text += ", "
        text += "\n"
    return (text + "\n").encode()

def asm(cells, codes=None):
    text = ""
    for k, cell in enumerate(cells):
        text += "\n\t; 0x%04X:" % ((codes or {}).get(k, 0x20 + k))
        for i, b in enumerate(cell):
            text += ("\n\t.byte\t" if i % 16 == 0 else "") + "0%02XH" % b
            if (i + 1) % 16 and i + 1 != len(cell):
                text += ", "
        text += "\n"
    return (text + "\n").encode()

write("fuzz_st9_asm", "st9_12x2", bytes([12, 2, 1]) + st9(12, 2, cells(3, 4)))
write("fuzz_st9_asm", "st9_20x24", bytes([20, 24, 1]) + st9(20, 24, cells(2, 72)))
write("fuzz_st9_asm", "asm_8x17", bytes([8, 17, 0]) + asm(cells(2, 17)))
write("fuzz_st9_asm", "asm_gaps", bytes([8, 2, 0]) + asm(cells(3, 2), {0: 0x41, 1: 0x5A, 2: 0x8140}))
write("fuzz_st9_asm", "asm_same_code", bytes([8, 2, 0]) + asm(cells(2, 2), {0: 0x41, 1: 0x41}))
write("fuzz_st10", "gaps", bytes([8, 2, 0]) + st10(8, 2, 8, cells(3, 2), {0: 0x41, 1: 0x5A, 2: 0x10}))
write("fuzz_st9_asm", "asm_mixed", bytes([8, 2, 0]) + b"level: .byte 12, 0FFH ; c\n.byte\n\t.BYTE 1\n.byte 3,, 4h\n")
write("fuzz_printer_replies", "font_info", b"\x06FONT0001\x18\x18\xe0\x00\x34\x12")
write("fuzz_printer_replies", "flow_inside", b"\x06AB\x11CD\x13EFGH\x08\x10\x01\x00\x0a\x00")
write("fuzz_printer_replies", "memory", b"65536\x00")
write("fuzz_printer_replies", "xon_first", b"\x11\x06\x15\x0d")

def fs_l(name, font_id, width, height):
    cell = ((width - 1) // 8 + 1) * height
    return b"\x1cL" + name + font_id + bytes([width, height]) + bytes((i * 3) & 0xFF for i in range(224 * cell))

write("fuzz_printer_engine", "single_byte", fs_l(b"SEED    ", b"1", 8, 2) + b"\x1cF1\x1fw\x02")
write("fuzz_printer_engine", "double_byte", b"\x1cDSEED    4\x08\x01\x40\x81\x02\x00\xaa\x55"
      + b"\x1cESEED    \x1cF4")
write("fuzz_printer_engine", "print_erase", b"\x1cG\x0c\x02\xff\xf0\x80\x10\x1d@3\x1cF0")
write("fuzz_printer_engine", "too_big", fs_l(b"BIG     ", b"2", 64, 64)[:600])

write("fuzz_settings", "stored", b"# Dotforge settings\n[SOFTWARE\\\\TALMOR\\\\DOTFORGE]\nBaud Rate=hex:04\n"
      b"Import Path=str:/home/a\\nb\nCOM1 Device=str:/dev/ttyUSB0\n")
write("fuzz_settings", "damaged", b"[K\nA=hex:0\n[K]\nB=hex:zz\r\nC=str:\\\nD\n")

def usb_config(*parts):
    body = b"".join(parts)
    interfaces = sum(1 for p in parts if len(p) > 1 and p[1] == 4)
    return bytes([9, 2]) + struct.pack("<H", 9 + len(body)) + bytes([interfaces, 1, 0, 0xC0, 1]) + body

def usb_interface(number, endpoints, klass):
    return bytes([9, 4, number, 0, endpoints, klass, 1, 2, 0])

def usb_endpoint(address, attributes):
    return bytes([7, 5, address, attributes]) + struct.pack("<H", 64) + bytes([0])

write("fuzz_usb_descriptors", "printer", usb_config(usb_interface(0, 2, 7), usb_endpoint(0x01, 2), usb_endpoint(0x82, 2)))
write("fuzz_usb_descriptors", "interrupt_too", usb_config(usb_interface(0, 3, 7), usb_endpoint(0x83, 3),
                                                          usb_endpoint(0x01, 2), usb_endpoint(0x82, 2)))
write("fuzz_usb_descriptors", "class_specific", usb_config(usb_interface(0, 2, 0xFF), bytes([5, 0x24, 0, 1, 2]),
                                                           usb_endpoint(0x02, 2), bytes([4, 0x25, 1, 0]),
                                                           usb_endpoint(0x81, 2)))
write("fuzz_usb_descriptors", "unknown_type", usb_config(usb_interface(0, 2, 7), bytes([5, 0x0B, 0, 0, 0]),
                                                         usb_endpoint(0x01, 2), usb_endpoint(0x82, 2)))
write("fuzz_usb_descriptors", "cut_short", usb_config(usb_interface(0, 2, 7), usb_endpoint(0x01, 2))
      + bytes([7, 5, 0x82, 2]))

def psf2(count, width, height, table=None):
    row = (width + 7) // 8
    header = b"\x72\xb5\x4a\x86" + struct.pack("<7I", 0, 32, 1 if table is not None else 0, count,
                                                 row * height, height, width)
    glyphs = bytes((i * 29) & 0xFF for i in range(count * row * height))
    return header + glyphs + (table or b"")

def psf1(height, table):
    return bytes([0x36, 0x04, 0x02, height]) + bytes((i * 13) & 0xFF for i in range(256 * height)) + table

write("fuzz_psf", "psf2_table", psf2(3, 10, 4, b"A\xc3\x89\xff\xe3\x81\x82\xfee\xcc\x81\xff\xff"))
write("fuzz_psf", "psf2_plain", psf2(4, 8, 8))
write("fuzz_psf", "psf2_truncated", psf2(8, 12, 24)[:200])
write("fuzz_psf", "psf1_table", psf1(2, b"\xff\xff" + b"A\x00\x91\x03\xfe\xff\x41\x00\xff\xff" + b"\xff\xff" * 254))

write("fuzz_unifont_hex", "narrow_wide", b"0041:0000000018242442427E424242420000\r\n\n"
      b"4E00:0000000000000000000000000000FFFE00000000000000000000000000000000\n")
write("fuzz_unifont_hex", "control_and_bad", b"000A:00000000000000000000000000000000\n0042:00ZZ\n")

write("fuzz_code_ranges", "ranges", b"20-7E,A0-FF,8140")
write("fuzz_code_ranges", "bad", b"7E-20,,G")
write("fuzz_code_ranges", "typed", b" 24 - 7E,\tA0 -FF ")
write("fuzz_preview_text", "escapes", b"AB\\x8140\\x41BC\\\\\\n\r\nC\rD\n")
write("fuzz_preview_text", "utf8", "Caf\u00e9 \u4e2d\U0001F600".encode() + b"\xC0\xAF\xED\xA0\x80\xE4")
write("fuzz_preview_text", "bad_escape", b"A\\x4")

def bdf(registry, glyphs):
    text = ("STARTFONT 2.1\nFONT -seed-dots-medium-r-normal--10-100-75-75-c-60-%s-1\nSIZE 10 75 75\n"
            "FONTBOUNDINGBOX 6 10 -1 -2\nSTARTPROPERTIES 4\nFONT_ASCENT 8\nFONT_DESCENT 2\n"
            "CHARSET_REGISTRY \"%s\"\nCHARSET_ENCODING \"1\"\nENDPROPERTIES\nCHARS %d\n" % (registry, registry, len(glyphs)))
    for encoding, bbx, rows in glyphs:
        text += "STARTCHAR c%d\nENCODING %d\nSWIDTH 600 0\nDWIDTH 6 0\nBBX %s\nBITMAP\n%s\nENDCHAR\n" % (
            encoding, encoding, bbx, "\n".join(rows))
    return (text + "ENDFONT\n").encode()

write("fuzz_bdf_pcf", "unicode", bdf("ISO10646", [(103, "3 4 -1 -2", ["E0", "A0", "E0", "20"]), (-1, "1 1 0 0", ["80"]),
                                                 (8364, "9 2 1 5", ["FF80", "8080"])]))
write("fuzz_bdf_pcf", "jis", bdf("JISX0208.1983", [(0x2422, "6 6 0 0", ["FC", "84", "84", "84", "84", "FC"])]))

# The virtual ESC/POS printer: definitions, pictures of both kinds, spacing, feeds and cuts.
escpos_define = b"\x00" * 4 + b"\x1b@\x1bM\x00\x1b&\x03AB" + (b"\x02" + b"\xf0\x0f\xaa" * 2) * 2 + b"\x1b%\x01ABZ\r\n"
escpos_raster = b"\x1b@\x1dv0\x00\x02\x00\x03\x00" + bytes(range(0x81, 0x87)) + b"\x1dv0\x03\x01\x00\x02\x00\xc3\x3c"
escpos_column = (b"\x1b@\x1b3\x18\x1b*\x21\x02\x00" + b"\x80\x01\xff" * 2 + b"\n\x1b*\x00\x03\x00\xaa\x55\xff"
                 b"\x1b*\x20\x01\x00\x01\x02\x03\n\x1b2\x1bd\x03\x1dVB\x00\x1dV\x01")
write("fuzz_escpos_printer", "define_print", escpos_define)
write("fuzz_escpos_printer", "raster", escpos_raster)
write("fuzz_escpos_printer", "column_feed_cut", escpos_column)
write("fuzz_escpos_printer", "raster_cut_off", escpos_raster[:12])
write("fuzz_escpos_printer", "refused", b"A\x1dv0\x00\x01\x00\x01\x00\xff\x1dv0\x00\x50\x00\x02\x00" + b"\x11" * 160
      + b"\x1dv0\x07\x01\x00\x01\x00\x00\x1b*\x05\x1b*\x21\x50\x02" + b"\x00" * 30 + b"\x1dV\x07\x1dx")

# C arrays: as the export writes them, in rows and in inverted LSB-first columns, and cut short.
carray_rows = (b"/* f: 2 characters of 3 x 9 dots\n * layout: rows\n * bit order: msb\n * invert: no\n */\n"
               b"#define f_WIDTH 3\n#define f_HEIGHT 9\n#define f_BYTES_PER_CHAR 9\n#define f_COUNT 2\n"
               b"static const uint16_t f_codes[f_COUNT] = { 0x0041, 0x4E00, };\n"
               b"static const uint8_t f_data[f_COUNT * f_BYTES_PER_CHAR] = {\n"
               b"  /* 0x0041 'A' */\n  0x40, 0xA0, 0xE0, 0xA0, 0xA0, 0x00, 0x00, 0x00, 0x20,\n"
               b"  0xE0, 0x00, 0xE0, 0x00, 0xE0, 0x00, 0xE0, 0x00, 0xE0,\n};\n")
write("fuzz_carray", "rows", carray_rows)
write("fuzz_carray", "columns_lsb_inverted", carray_rows.replace(b"layout: rows", b"layout: columns")
      .replace(b"bit order: msb", b"bit order: lsb").replace(b"invert: no", b"invert: yes")
      .replace(b"f_BYTES_PER_CHAR 9", b"f_BYTES_PER_CHAR 6")
      .replace(b"0x40, 0xA0, 0xE0, 0xA0, 0xA0, 0x00, 0x00, 0x00, 0x20,\n", b"0xFF, 0x01, 0xF0, 0x00, 0xFF, 0x01,\n")
      .replace(b"0xE0, 0x00, 0xE0, 0x00, 0xE0, 0x00, 0xE0, 0x00, 0xE0,\n", b"0x55, 0x00, 0xAA, 0x01, 0x55, 0x00,\n"))
write("fuzz_carray", "cut_short", carray_rows[: len(carray_rows) // 2])
