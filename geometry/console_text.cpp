#include "geometry/console_text.h"

#include <iconv.h>
#include <langinfo.h>
#include <strings.h>
#include <cerrno>
#include <clocale>
#include <cstring>

#include "geometry/gear_pair.h"

namespace {

// Longest text after conversion, with room to spare: the display message is
// the longest, 148 UTF-8 bytes before its display name, which gets the rest.
constexpr std::size_t TEXT_CAPACITY = 512;

const char* const TEXTS[] = {
    "\n１対標準歯車のかみ合いシミュレーションン",
    "\n(1) 歯車１，２の歯数設定",
    "\n　  歯車１、２の歯数入力 z1 z2= ",
    "\n'1' '2'キーで：１歯車・２歯車描画の選択",
    "\n'3'キーで　　：１，２歯車かみ合い図の選択",
    "\n's'キーで    ：かみ合い運動描画継続",
    "\n'r' 'R'キーで：かみ合い運動順逆の変更",
    "\n'w' 'W'キーで：図の縮小拡大",
    "\n'z'キーで    ：１，２歯車の歯数変更",
    "\nESCキーで　　：終了",
    "歯数は1から149までの整数で入力してください\n",
    "\n歯数を読む前に入力が終わりました\n",
    "１対歯車のかみ合い　z:歯数変更，1,2,3：描画歯車選択，w,W:縮小拡大，r,R:正逆回転，s:"
    "かみ合い継続",
    "ディスプレイ「%s」を開けません。Xサーバーを起動し、DISPLAYか-displayで"
    "その名前（例 :0）を指定してください\n",
};

static_assert(sizeof TEXTS / sizeof TEXTS[0] == static_cast<int>(ConsoleText::NO_DISPLAY) + 1,
              "one text for every ConsoleText");

bool isSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Number of bytes of the UTF-8 character that starts with lead byte c.
std::size_t utf8Length(unsigned char c) {
    if (c >= 0xF0)
        return 4;
    if (c >= 0xE0)
        return 3;
    if (c >= 0xC0)
        return 2;
    return 1;
}

// Copies as much of utf8 as fits into out, NUL-terminated; returns its length.
std::size_t copyText(const char* utf8, char* out, std::size_t capacity) {
    std::size_t length = std::strlen(utf8);
    if (length > capacity - 1) {
        length = capacity - 1;
    }
    std::memcpy(out, utf8, length);
    out[length] = '\0';
    return length;
}

}  // namespace

const char* utf8Text(ConsoleText text) {
    return TEXTS[static_cast<int>(text)];
}

bool consoleUsesCp932() {
    static bool localeSet = false;
    if (!localeSet) {
        std::setlocale(LC_ALL, "");
        // Numbers drawn or printed keep a decimal point whatever the user's locale.
        std::setlocale(LC_NUMERIC, "C");
        localeSet = true;
    }
    const char* codeset = nl_langinfo(CODESET);
    return strcasecmp(codeset, "SHIFT_JIS") == 0 || strcasecmp(codeset, "SJIS") == 0 ||
           strcasecmp(codeset, "CP932") == 0;
}

std::size_t toConsoleEncoding(const char* utf8, char* out, std::size_t capacity) {
    if (capacity == 0) {
        return 0;
    }
    if (!consoleUsesCp932()) {
        return copyText(utf8, out, capacity);
    }
    iconv_t converter = iconv_open("CP932", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        // Without the converter the characters still arrive, as UTF-8.
        return copyText(utf8, out, capacity);
    }
    char* in = const_cast<char*>(utf8);
    std::size_t inLeft = std::strlen(utf8);
    char* next = out;
    std::size_t outLeft = capacity - 1;
    while (inLeft > 0) {
        if (iconv(converter, &in, &inLeft, &next, &outLeft) != static_cast<std::size_t>(-1)) {
            break;
        }
        if (errno != EILSEQ && errno != EINVAL) {
            break;  // E2BIG: the text is cut off here
        }
        if (outLeft == 0) {
            break;
        }
        const std::size_t skip = utf8Length(static_cast<unsigned char>(*in));
        const std::size_t skipped = (skip < inLeft) ? skip : inLeft;
        in += skipped;
        inLeft -= skipped;
        *next++ = '?';
        --outLeft;
    }
    iconv_close(converter);
    *next = '\0';
    return static_cast<std::size_t>(next - out);
}

void writeConsoleText(std::FILE* stream, ConsoleText text) {
    char bytes[TEXT_CAPACITY];
    const std::size_t length = toConsoleEncoding(utf8Text(text), bytes, sizeof bytes);
    std::fwrite(bytes, 1, length, stream);
    // The prompt has no line feed and must stand before the user's input.
    std::fflush(stream);
}

void writeConsoleTextWith(std::FILE* stream, ConsoleText text, const char* value) {
    const char* utf8 = utf8Text(text);
    const char* mark = std::strstr(utf8, "%s");
    char filled[TEXT_CAPACITY];
    if (mark == nullptr) {
        copyText(utf8, filled, sizeof filled);
    } else {
        // The value is cut short, never the text's own line feed.
        const std::size_t head = static_cast<std::size_t>(mark - utf8);
        const std::size_t tail = std::strlen(mark + 2);
        std::size_t length = std::strlen(value);
        const std::size_t room = sizeof filled - 1 - head - tail;
        if (length > room) {
            length = room;
        }
        std::memcpy(filled, utf8, head);
        std::memcpy(filled + head, value, length);
        std::memcpy(filled + head + length, mark + 2, tail + 1);
    }
    char bytes[TEXT_CAPACITY];
    const std::size_t length = toConsoleEncoding(filled, bytes, sizeof bytes);
    std::fwrite(bytes, 1, length, stream);
    std::fflush(stream);
}

CountRead readToothCount(std::FILE* stream, int& value) {
    int c = std::getc(stream);
    while (c != EOF && isSpace(c)) {
        c = std::getc(stream);
    }
    if (c == EOF) {
        return CountRead::END;
    }
    bool negative = false;
    if (c == '+' || c == '-') {
        negative = (c == '-');
        c = std::getc(stream);
    }
    // Digits beyond MAX_TEETH only keep the number out of range, so the
    // running value is capped just above it and never overflows.
    bool wellFormed = (c >= '0' && c <= '9');
    int magnitude = 0;
    while (c != EOF && !isSpace(c)) {
        if (c >= '0' && c <= '9') {
            magnitude = magnitude * 10 + (c - '0');
            if (magnitude > MAX_TEETH) {
                magnitude = MAX_TEETH + 1;
            }
        } else {
            wellFormed = false;
        }
        c = std::getc(stream);
    }
    if (c != EOF) {
        std::ungetc(c, stream);  // the separator belongs to what follows
    }
    const int number = negative ? -magnitude : magnitude;
    if (!wellFormed || number < MIN_TEETH || number > MAX_TEETH) {
        return CountRead::BAD;
    }
    value = number;
    return CountRead::OK;
}

void skipInputLine(std::FILE* stream) {
    int c = std::getc(stream);
    while (c != EOF && c != '\n') {
        c = std::getc(stream);
    }
}
