// Each field of a stored record's list, changed on its own, survives the binary writer and
// reader and the project description: a field added to a list is carried by all three.
#include <gtest/gtest.h>

#include <functional>
#include <string_view>

#include "document/action_fields.h"
#include "document/action_list_io.h"
#include "document/container.h"
#include "document/header_fields.h"
#include "document/object_fields.h"
#include "document/object_io.h"
#include "document/page_fields.h"
#include "document/page_io.h"
#include "document/project_json.h"
#include "hosts/headless/memory_profile_store.h"
#include "hosts/headless/recording_ui.h"

namespace velk {
namespace {

void Change(std::uint32_t& value) {
    ++value;
}
void Change(std::int32_t& value) {
    ++value;
}
void Change(std::uint8_t& value) {
    ++value;
}
void Change(bool& value) {
    value = !value;
}
void Change(double& value) {
    value += 0.25;
}
void Change(std::string& value) {
    value += "x";
}
void Change(std::int32_t (&pair)[2]) {
    ++pair[0];
    --pair[1];
}
void Change(Point& point) {
    ++point.x;
    --point.y;
}
void Change(Rect& rect) {
    rect = {rect.left - 1, rect.top - 2, rect.right + 3, rect.bottom + 4};
}
void Change(std::vector<Point>& points) {
    points.push_back({5, -6});
}
void Change(std::vector<std::string>& lines) {
    lines.push_back("line");
}
void Change(std::vector<std::uint8_t>& bytes) {
    bytes.insert(bytes.end(), {'G', 'I', 'F'});
}
// Raw pixels keep their coding in every stored form and in the description.
void Change(std::optional<Picture>& picture) {
    picture = Picture{PictureCoding::kRaw, 2, 1, 0, {1, 2, 3, 4, 5, 6}};
}
void Change(std::optional<StoredMetafile>& metafile) {
    metafile = StoredMetafile{};
    metafile->header[3] = 9;
    metafile->data = {7, 8};
}
void Change(ActionList& list) {
    ActionRecord record;
    record.code = 12;
    record.target = "target";
    list.records.push_back(record);
}
void Change(LogFont& font) {
    font.weight += 300;
}
void Change(TransitionMask& mask) {
    mask.bytes = {0, 128, 255};
    mask.size = 3;
}
void Change(std::vector<Object>& objects) {
    objects.emplace_back();
}

// Walks a list and hands over, for each field, the base record with that field changed.
template <class Record>
class EachField {
  public:
    using Check = std::function<void(std::string_view name, const Record& changed, bool stored)>;
    EachField(const Record& base, Check check) : base_(base), check_(std::move(check)) {}

    template <class T, class... Options>
    void operator()(const char* name, T Record::*member, Options...) {
        Visit(name, member, true);
    }
    template <class T>
    void InJson(const char* name, T Record::*member, Emit = Emit::kNormal) {
        Visit(name, member, false);
    }
    template <class Words>
    void Unused(Words) {}
    template <class Conversion>
    void OnRead(Conversion) {}
    // The base record stores every block of the newest version.
    bool VersionAbove(std::int32_t) const { return true; }
    template <class Predicate>
    bool When(Predicate) const {
        return true;
    }

  private:
    template <class T>
    void Visit(const char* name, T Record::*member, bool stored) {
        SCOPED_TRACE(name);
        Record changed = base_;
        Change(changed.*member);
        ASSERT_FALSE(changed == base_);
        check_(name, changed, stored);
    }

    const Record& base_;
    Check check_;
};

template <class Record>
void ForEachChangedField(const Record& base, typename EachField<Record>::Check check) {
    EachField<Record> fields(base, std::move(check));
    VisitFields(RecordTag<Record>{}, fields);
}

struct Loader {
    headless::RecordingUi ui;
    headless::MemoryProfileStore profile;
    LoadContext ctx{ui, profile};
};

// The description of `project` read back, with and without the defaults written out.
void ExpectDescribed(const Project& project, const std::function<void(const Project&)>& expect) {
    for (bool omit_defaults : {false, true}) {
        MemoryBlobs blobs;
        ProjectDescription description{project, std::nullopt};
        Json json = ProjectToJson(description, blobs, {omit_defaults, nullptr});
        DescriptionResult back = ProjectFromJson(json, blobs);
        ASSERT_TRUE(back.description) << back.error;
        expect(back.description->project);
    }
}

// The project read back from an archive of the newest version.
Project ThroughArchive(const Project& project) {
    Loader loader;
    LoadResult back =
        ReadProjectArchive(WriteProjectArchive(project, kCurrentProjectVersion, false), loader.ctx);
    EXPECT_EQ(back.status, LoadStatus::kLoaded);
    return std::move(back.project);
}

Project WithObject(const Object& object) {
    Project project;
    project.pages.emplace_back();
    project.pages[0].objects.push_back(object);
    return project;
}

void ExpectObjectSurvives(std::string_view, const Object& changed, bool stored) {
    if (stored) {
        ByteWriter out;
        WriteObject(out, changed, kCurrentProjectVersion);
        Loader loader;
        ByteReader in(out.Data());
        EXPECT_EQ(ReadObject(in, loader.ctx), changed) << "binary";
        EXPECT_TRUE(in.AtEnd());
    }
    ExpectDescribed(WithObject(changed), [&](const Project& back) {
        EXPECT_EQ(back.pages.at(0).objects.at(0), changed) << "description";
    });
}

// An object whose kind and link flag let it store every block.
Object StoringEveryBlock() {
    Object object;
    object.kind = kKindAnimatedGif;
    object.link_flag = 1;
    return object;
}

TEST(FieldList, EveryObjectFieldSurvives) {
    ForEachChangedField(StoringEveryBlock(), ExpectObjectSurvives);
}

TEST(FieldList, EveryFontFieldSurvives) {
    ForEachChangedField(LogFont{}, [](std::string_view name, const LogFont& changed, bool stored) {
        Object object = StoringEveryBlock();
        object.font = changed;
        ExpectObjectSurvives(name, object, stored);
    });
}

TEST(FieldList, EveryActionRecordFieldSurvives) {
    ForEachChangedField(
        ActionRecord{}, [](std::string_view, const ActionRecord& changed, bool stored) {
            ActionList list;
            list.records.push_back(changed);
            if (stored) {
                ByteWriter out;
                WriteActionList(out, list);
                ByteReader in(out.Data());
                EXPECT_EQ(ReadActionList(in), list) << "binary";
            }
            Object object = StoringEveryBlock();
            object.actions_click = list;
            ExpectDescribed(WithObject(object), [&](const Project& back) {
                EXPECT_EQ(back.pages.at(0).objects.at(0).actions_click, list) << "description";
            });
        });
}

TEST(FieldList, EveryPageFieldSurvives) {
    ForEachChangedField(Page{}, [](std::string_view, const Page& changed, bool stored) {
        if (stored) {
            ByteWriter out;
            WritePage(out, changed, kCurrentProjectVersion);
            Loader loader;
            ByteReader in(out.Data());
            EXPECT_EQ(ReadPage(in, loader.ctx), changed) << "binary";
            EXPECT_TRUE(in.AtEnd());
        }
        Project project;
        project.pages.push_back(changed);
        ExpectDescribed(project, [&](const Project& back) {
            EXPECT_EQ(back.pages.at(0), changed) << "description";
        });
    });
}

// A fresh header has no window frame that would override no_background. Its backdrop is off,
// so the backdrop image is not stored; the image needs the backdrop on, its present flag set and
// its size in the width and height fields, which one field changed on its own cannot give.
void ExpectHeaderSurvives(std::string_view name, const ProjectHeader& changed, bool stored) {
    Project project;
    project.header = changed;
    if (stored && name != "backdrop_image") {
        EXPECT_EQ(ThroughArchive(project).header, changed) << "binary";
    }
    ExpectDescribed(project,
                    [&](const Project& back) { EXPECT_EQ(back.header, changed) << "description"; });
}

TEST(FieldList, EveryHeaderFieldSurvives) {
    ForEachChangedField(ProjectHeader{}, ExpectHeaderSurvives);
}

// The shape's mask fields are stored behind a set present flag.
TEST(FieldList, EveryWindowShapeFieldSurvives) {
    WindowShape with_mask;
    with_mask.shape_mask_present = 1;
    ForEachChangedField(with_mask, [](std::string_view, const WindowShape& changed, bool stored) {
        Project project;
        project.shape = changed;
        if (stored) {
            EXPECT_EQ(ThroughArchive(project).shape, changed) << "binary";
        }
        ExpectDescribed(
            project, [&](const Project& back) { EXPECT_EQ(back.shape, changed) << "description"; });
    });
}

// The description reads fields in stored order but, of several faulty ones, names the first in
// the order the model declares them: rect before text_variable, which the file stores first.
TEST(FieldList, ErrorsNameTheFirstFaultyFieldInModelOrder) {
    MemoryBlobs blobs;
    DescriptionResult result = ParseProjectJson(
        R"({"pages": [{"objects": [{"text_variable": 5, "rect": "wide", "kind": 1}]}]})", blobs);
    EXPECT_EQ(result.error, "pages[0].objects[0].rect: expected 4 integers");
}

}  // namespace
}  // namespace velk
