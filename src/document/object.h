// One object record of a page: every kind shares this layout.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "codec/gif_codec.h"
#include "document/action_list.h"
#include "document/image_view_state.h"
#include "document/input_field.h"
#include "document/paragraph_layout.h"
#include "document/picture.h"

namespace velk {

// The moving picture of an Effect object; its home is objects/effect.
struct EffectEngine;
// The window a Video object plays its file in; its home is objects/video.
struct VideoWindow;

enum ObjectKind : std::int32_t {
    kKindText = 1,
    kKindFrame = 2,
    kKindImage = 3,
    kKindImageWithoutPicture = 4,
    kKindBitmapButton = 5,
    kKindLine = 6,
    kKindShape = 7,
    kKindGroup = 10,
    kKindTextButton = 11,
    kKindVideo = 12,
    kKindPolygon = 13,
    kKindMetafile = 14,
    kKindParagraph = 15,
    kKindAnimatedGif = 16,
    kKindScript = 17,
    kKindPanorama = 18,
    kKindMatrix = 19,
    kKindEffect = 20,
    kKindPlugin = 21,
    kKindInputText = 22,
    kKindMci = 23,
    kKindApplicationWindow = 24,
    kKindHtml = 25,
    kKindFlash = 27,
    kKindTimer = 28,
    kKindListBox = 29,
    kKindImageWithoutPictureOutlined = 30,
};

// Run time: what a button or hover object shows (`Object::state`).
enum ObjectState : std::int32_t {
    kStateNormal = 0,
    kStateOver = 1,  // the pointer is over it
    kStatePressed = 2,
};

// The stored form of a font: the fields of a LOGFONT.
struct LogFont {
    std::int32_t height = 20;
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 400;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strike_out = 0;
    std::uint8_t char_set = 0;
    std::uint8_t out_precision = 0;
    std::uint8_t clip_precision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitch_and_family = 32;
    std::string face_name = "Arial";

    bool operator==(const LogFont&) const = default;
};

// An enhanced metafile as stored: its 24-byte header and the metafile bytes.
struct StoredMetafile {
    std::array<std::uint8_t, 24> header{};
    std::vector<std::uint8_t> data;
    bool operator==(const StoredMetafile&) const = default;
};

struct Object {
    std::int32_t kind = 0;
    // A negative kind word in the file means the first three action lists are stored.
    bool has_first_actions = true;
    std::string name;
    Rect rect;
    std::string text;
    std::string text_variable, number_variable;
    std::string extra_text1, extra_text2, extra_text3;
    std::uint32_t extra_value = 0;
    std::uint32_t param1 = 0, param2 = 0, param3 = 0, param4 = 0, param5 = 0;
    std::string hover_object, press_object;
    std::uint32_t hover_mode = 0;
    std::uint32_t option0 = 0;
    std::string hint_text;
    std::uint32_t hint_value = 0;
    std::uint32_t extra_value2 = 0;
    std::uint32_t is_alias = 0;
    std::uint32_t transparent1 = 0, transparent2 = 0, transparent3 = 0;
    std::uint32_t colour1 = 0xFFFFFF, colour2 = 0, colour3 = 0xFFFFFF, colour4 = 0;
    std::optional<Picture> image1, image2, image3, image4;
    Point image2_offset, image3_offset;
    std::vector<Point> points_a, points_b;
    std::uint32_t points_value1 = 0, points_value2 = 0;
    std::uint32_t hidden = 0, initially_hidden = 0, visible = 1;
    std::uint32_t option1 = 0, option2 = 0, option3 = 0, option4 = 0, option5 = 0, option6 = 0;
    double scale = 0.5;
    std::uint32_t transform = 0;
    std::vector<std::string> lines;
    LogFont font;
    std::optional<StoredMetafile> metafile;
    std::uint32_t gif_timer_id = 10;
    std::vector<std::uint8_t> gif_data;
    // The stored link flag; `link` is shown as a tooltip only while it is non-zero.
    std::uint32_t link_flag = 0;
    std::string link;
    ActionList actions_down, actions_click, actions_3, actions_4, actions_5, actions_6;
    bool flag_a = true, flag_b = true, flag_c = true, flag_d = true;
    bool flag_e = false, flag_f = false, flag_g = false;
    Point image_origin;
    std::uint32_t value_a = 100, value_b = 0xC0C0C0;
    // Run time: an ObjectState.
    std::int32_t state = 0;
    // Run time: the shrink-and-hide animation (pages/shrink_animation.h).
    bool anim_running = false;
    double anim_value = 0.0;
    double anim_saved_scale = 0.0;
    // Run time: the cells of a Matrix (kind 19), made on first use (render/matrix.h).
    std::vector<std::uint8_t> matrix_cells;
    // Run time: the field of an Input text (kind 22), made at its first drawing.
    std::optional<InputField> input_field;
    // Run time: a Paragraph's (kind 15) layout, made at its first drawing.
    std::optional<ParagraphLayout> paragraph_layout;
    // Run time: an Animated GIF's (kind 16) frames, read from `gif_data` when first needed
    // (`gif_read` set then; no frames when it could not be read), and the disposal of the
    // frame it drew last.
    std::optional<GifFile> gif_file;
    bool gif_read = false;
    std::uint8_t gif_previous_disposal = 0;
    // Run time: a Paragraph's text is being dragged; the window shows the grab cursor.
    bool text_grabbed = false;
    // Run time: an Effect's (kind 20) engine, made at page entry and released at page stop.
    std::shared_ptr<EffectEngine> effect_engine;
    // Run time: a Video's (kind 12) window, from VideoLoad until VideoClose or page stop.
    std::shared_ptr<VideoWindow> video_window;
    // Run time: the image view of kinds 3, 4, 12, 13 and 30 (scale, turn, pivot, scroll bars).
    ImageViewState image_view;

    bool operator==(const Object&) const = default;
};

}  // namespace velk
