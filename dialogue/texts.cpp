#include "dialogue/texts.h"

#include <cstddef>
#include <cstring>
#include <iterator>

namespace gearmesh {

namespace {

constexpr int TEXT_COUNT = CONSOLE_TEXT_COUNT + PAGE_TEXT_COUNT;

// One line of a language's table: a text and its identifier, console texts
// and page labels in one numbering.
struct Entry {
    constexpr Entry(ConsoleText text, const char* bytes)
        : index(static_cast<int>(text)), utf8(bytes) {
    }
    constexpr Entry(PageText text, const char* bytes)
        : index(CONSOLE_TEXT_COUNT + static_cast<int>(text)), utf8(bytes) {
    }
    int index;
    const char* utf8;
};

// Long texts are split over two lines; the parentheses tell the compiler
// that the halves make one text.
constexpr Entry JAPANESE[] = {
    {ConsoleText::TITLE, "\n１対標準歯車のかみ合いシミュレーションン"},
    {ConsoleText::STEP_HEADING, "\n(1) 歯車１，２の歯数設定"},
    {ConsoleText::PROMPT, "\n　  歯車１、２の歯数入力 z1 z2= "},
    {ConsoleText::HELP_GEAR_KEYS, "\n'1' '2'キーで：１歯車・２歯車描画の選択"},
    {ConsoleText::HELP_MESH_KEY, "\n'3'キーで　　：１，２歯車かみ合い図の選択"},
    {ConsoleText::HELP_STEP_KEY, "\n's'キーで    ：かみ合い運動描画継続"},
    {ConsoleText::HELP_ROLL_KEYS, "\n'r' 'R'キーで：かみ合い運動順逆の変更"},
    {ConsoleText::HELP_ZOOM_KEYS, "\n'w' 'W'キーで：図の縮小拡大"},
    {ConsoleText::HELP_SETUP_KEY, "\n'z'キーで    ：１，２歯車の歯数変更"},
    {ConsoleText::HELP_QUIT_KEY, "\nESCキーで　　：終了"},
    {ConsoleText::BAD_COUNT, "歯数は1から149までの整数で入力してください\n"},
    {ConsoleText::INPUT_ENDED, "\n歯数を読む前に入力が終わりました\n"},
    {ConsoleText::WINDOW_TITLE,
     ("１対歯車のかみ合い　z:歯数変更，1,2,3：描画歯車選択，w,W:縮小拡大，r,R:正逆回転，s:"
      "かみ合い継続")},
    {ConsoleText::NO_DISPLAY,
     ("ディスプレイ「%s」を開けません。Xサーバーを起動し、DISPLAYか-displayで"
      "その名前（例 :0）を指定してください\n")},
    {ConsoleText::BARE_DISPLAY,
     "-displayの後にディスプレイ名がありません。-display :0 のように名前を続けてください\n"},
    {ConsoleText::PROGRAM_ENDED, "\nプログラムを終了しました"},
    {ConsoleText::UNKNOWN_LANGUAGE,
     "--langの言語「%s」はありません。ja（日本語）かen（英語）を指定してください"},
    {ConsoleText::NEEDS_SERVER,
     ("\nこのページはWebサーバーから開いてください。ファイルから直接開くときは "
      "gearmesh.html を使ってください。")},
    {PageText::KEY_DRIVE, "1 駆動歯車"},
    {PageText::KEY_DRIVEN, "2 従動歯車"},
    {PageText::KEY_MESH, "3 かみ合い"},
    {PageText::KEY_STEP, "s コマ送り"},
    {PageText::KEY_FORWARD, "r 正転"},
    {PageText::KEY_REVERSE, "R 逆転"},
    {PageText::KEY_ZOOM_OUT, "w 縮小"},
    {PageText::KEY_ZOOM_IN, "W 拡大"},
    {PageText::KEY_NEW_COUNTS, "z 歯数変更"},
    {PageText::KEY_QUIT, "Esc 終了"},
    {PageText::KEY_SHIFT_DOWN, "x 転位 \u22120.1"},
    {PageText::KEY_SHIFT_UP, "X 転位 +0.1"},
    {PageText::STUDY_TOGGLE, "学習表示"},
    {PageText::LANGUAGE_NAME, "日本語"},
    {PageText::LANGUAGE_SWITCH, "表示言語"},
    {PageText::DRAWING_HINT, "歯数を入力すると図が現れます"},
    {PageText::COPY_LINK, "リンクをコピー"},
    {PageText::LINK_COPIED, "コピーしました"},
    {ConsoleText::LINK_BAD_COUNTS,
     "リンクの歯数（z=）を読めません。1から149までの整数2つをコンマで区切って書いてください\n"},
    {ConsoleText::LINK_UNKNOWN_KEY,
     "リンクのキー（keys=）に使えない文字があります。使えるのは 1 2 3 s r R w W x X です\n"},
    {ConsoleText::LINK_TOO_MANY_PRESSES, "リンクのキー（keys=）が10万回を超えています\n"},
    {ConsoleText::LINK_BAD_SHIFT, "リンクの転位（shift=）は-1から1までの数にしてください\n"},
    {ConsoleText::LINK_BAD_STUDY, "リンクのstudy=は0か1にしてください\n"},
    {ConsoleText::LINK_BAD_LANGUAGE, "リンクのlang=はjaかenにしてください\n"},
    {ConsoleText::LINK_UNKNOWN_PART,
     "リンクに読めない部分があります。使えるのは z keys shift study lang です\n"},
    {PageText::SAVE_OUTLINE_SVG, "歯形 SVG"},
    {PageText::SAVE_OUTLINE_DXF, "歯形 DXF"},
    {PageText::SAVE_PICTURE_SVG, "図 SVG"},
};

// The key help's colons line up, as the Japanese ones do, and its lines
// fit a phone's console panel.
constexpr Entry ENGLISH[] = {
    {ConsoleText::TITLE, "\nMeshing simulation of a pair of standard gears"},
    {ConsoleText::STEP_HEADING, "\n(1) Tooth counts of gears 1 and 2"},
    {ConsoleText::PROMPT, "\n    Enter the tooth counts: z1 z2= "},
    {ConsoleText::HELP_GEAR_KEYS, "\n'1' '2' keys: gear 1 or gear 2 alone"},
    {ConsoleText::HELP_MESH_KEY, "\n'3' key     : both gears in mesh"},
    {ConsoleText::HELP_STEP_KEY, "\n's' key     : turn the mesh one step"},
    {ConsoleText::HELP_ROLL_KEYS, "\n'r' 'R' keys: forward or reverse"},
    {ConsoleText::HELP_ZOOM_KEYS, "\n'w' 'W' keys: zoom out or in"},
    {ConsoleText::HELP_SETUP_KEY, "\n'z' key     : new tooth counts"},
    {ConsoleText::HELP_QUIT_KEY, "\nESC key     : quit"},
    {ConsoleText::BAD_COUNT, "Enter the tooth counts as whole numbers from 1 to 149\n"},
    {ConsoleText::INPUT_ENDED, "\nThe input ended before the tooth counts were read\n"},
    {ConsoleText::WINDOW_TITLE,
     ("A pair of gears in mesh - z: new counts; 1,2,3: gears shown; w,W: zoom out/in; "
      "r,R: forward/reverse; s: step")},
    {ConsoleText::NO_DISPLAY,
     ("Cannot open the display \"%s\". Start an X server and give its name (for example :0) "
      "in DISPLAY or with -display\n")},
    {ConsoleText::BARE_DISPLAY,
     "-display has no display name after it: give one, as in -display :0\n"},
    {ConsoleText::PROGRAM_ENDED, "\nThe program has ended"},
    {ConsoleText::UNKNOWN_LANGUAGE,
     "Unknown language \"%s\" for --lang: give ja (Japanese) or en (English)"},
    {ConsoleText::NEEDS_SERVER,
     "\nThis page needs a web server. To open it straight from a file, use gearmesh.html."},
    {PageText::KEY_DRIVE, "1 drive"},
    {PageText::KEY_DRIVEN, "2 driven"},
    {PageText::KEY_MESH, "3 mesh"},
    {PageText::KEY_STEP, "s step"},
    {PageText::KEY_FORWARD, "r forward"},
    {PageText::KEY_REVERSE, "R reverse"},
    {PageText::KEY_ZOOM_OUT, "w zoom out"},
    {PageText::KEY_ZOOM_IN, "W zoom in"},
    {PageText::KEY_NEW_COUNTS, "z new counts"},
    {PageText::KEY_QUIT, "Esc quit"},
    {PageText::KEY_SHIFT_DOWN, "x shift \u22120.1"},
    {PageText::KEY_SHIFT_UP, "X shift +0.1"},
    {PageText::STUDY_TOGGLE, "study view"},
    {PageText::LANGUAGE_NAME, "English"},
    {PageText::LANGUAGE_SWITCH, "Language"},
    {PageText::DRAWING_HINT, "Enter the tooth counts to see the gears"},
    {PageText::COPY_LINK, "copy link"},
    {PageText::LINK_COPIED, "copied"},
    {ConsoleText::LINK_BAD_COUNTS,
     "The link's tooth counts (z=) cannot be read: give two whole numbers from 1 to 149, "
     "separated by a comma\n"},
    {ConsoleText::LINK_UNKNOWN_KEY,
     "The link's keys (keys=) hold a character that is no key: only 1 2 3 s r R w W x X\n"},
    {ConsoleText::LINK_TOO_MANY_PRESSES,
     "The link's keys (keys=) add up to more than 100,000 presses\n"},
    {ConsoleText::LINK_BAD_SHIFT,
     "The link's profile shift (shift=) must be a number from -1 to 1\n"},
    {ConsoleText::LINK_BAD_STUDY, "The link's study= must be 0 or 1\n"},
    {ConsoleText::LINK_BAD_LANGUAGE, "The link's lang= must be ja or en\n"},
    {ConsoleText::LINK_UNKNOWN_PART,
     "The link holds a part it cannot read: only z, keys, shift, study and lang\n"},
    {PageText::SAVE_OUTLINE_SVG, "outline SVG"},
    {PageText::SAVE_OUTLINE_DXF, "outline DXF"},
    {PageText::SAVE_PICTURE_SVG, "picture SVG"},
};

// A language's texts by index, whatever order its lines are in.
struct TextTable {
    const char* texts[TEXT_COUNT];
};

template <std::size_t N>
constexpr TextTable tableOf(const Entry (&entries)[N]) {
    TextTable table{};
    for (std::size_t i = 0; i < N; ++i) {
        table.texts[entries[i].index] = entries[i].utf8;
    }
    return table;
}

// Every text has a line and none has two: as many lines as texts, none left out.
template <std::size_t N>
constexpr bool holdsEveryTextOnce(const Entry (&entries)[N]) {
    const TextTable table = tableOf(entries);
    for (const char* text : table.texts) {
        if (text == nullptr) {
            return false;
        }
    }
    return N == TEXT_COUNT;
}

static_assert(holdsEveryTextOnce(JAPANESE), "the Japanese table holds every text once");
static_assert(holdsEveryTextOnce(ENGLISH), "the English table holds every text once");

struct LanguageTexts {
    const char* code;
    TextTable table;
};

// In the order of Language.
constexpr LanguageTexts LANGUAGES[] = {{"ja", tableOf(JAPANESE)}, {"en", tableOf(ENGLISH)}};

static_assert(std::size(LANGUAGES) == LANGUAGE_COUNT, "one table for every Language");

const TextTable& tableIn(Language language) {
    return LANGUAGES[static_cast<int>(language)].table;
}

}  // namespace

const char* utf8Text(ConsoleText text, Language language) {
    return tableIn(language).texts[static_cast<int>(text)];
}

const char* utf8Text(PageText text, Language language) {
    return tableIn(language).texts[CONSOLE_TEXT_COUNT + static_cast<int>(text)];
}

const char* languageCode(Language language) {
    return LANGUAGES[static_cast<int>(language)].code;
}

bool languageOfCode(const char* code, Language& language) {
    if (code == nullptr) {
        return false;
    }
    for (int i = 0; i < LANGUAGE_COUNT; ++i) {
        if (std::strcmp(code, LANGUAGES[i].code) == 0) {
            language = static_cast<Language>(i);
            return true;
        }
    }
    return false;
}

}  // namespace gearmesh
