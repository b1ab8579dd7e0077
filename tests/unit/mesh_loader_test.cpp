// mesh_loader_test.cpp -- the mesh text loader: chunking, records, faces and every bound it keeps
#include "aircraft/mesh_model.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

// Loads text into aircraftModel through a memory stream, as start-up loads a file.
static void loadAircraftText(const std::string& text)
{
    clearMeshTables(meshTables(aircraftModel));
    FILE* stream = fmemopen((void*)text.data(), text.size(), "r");
    ASSERT_NE(stream, nullptr);
    loadAircraftModel(stream);
    fclose(stream);
}

static void loadPropellerText(const std::string& text)
{
    clearMeshTables(meshTables(propellerModel));
    FILE* stream = fmemopen((void*)text.data(), text.size(), "r");
    ASSERT_NE(stream, nullptr);
    readMeshStream(stream, meshTables(propellerModel));
    fclose(stream);
}

// count vertices and as many normals, so faces may name indices 1..count.
static std::string points(int count)
{
    std::string text;
    for (int i = 1; i <= count; i++)
        text += "v " + std::to_string(i) + " 0 0\nn 0 " + std::to_string(i) + " 0\n";
    return text;
}

static std::string repeat(char c, int count) { return std::string((size_t)count, c); }

static std::vector<int> faceOf(const int* slots)
{
    std::vector<int> list;
    for (int s = 0; s < kMeshFaceSlots && slots[s] != 0; s++)
        list.push_back(slots[s]);
    return list;
}

static std::vector<int> aircraftFace(int group, int face) { return faceOf(aircraftModel.faces[group][face]); }

static void expectVec(const Vec3& v, float x, float y, float z)
{
    EXPECT_EQ(v.x, x);
    EXPECT_EQ(v.y, y);
    EXPECT_EQ(v.z, z);
}

// ---- chunks of at most 37 characters ----

// A "g" after `before` other characters on one line starts a group only when it begins a
// chunk, that is when `before` is a multiple of 37.
TEST(MeshChunks, EachPieceOfALongLineIsClassifiedByItsOwnFirstCharacter)
{
    struct Case { int before; int faceGroup; };
    const Case cases[] = {{0, 1}, {35, 0}, {36, 0}, {37, 1}, {38, 0}, {73, 0}, {74, 1}, {111, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before);
        loadAircraftText(points(3) + "g\n" + repeat('x', c.before) + "g\nf 1 2 3\n");
        EXPECT_EQ(aircraftFace(c.faceGroup, 0), (std::vector<int>{1, 2, 3}));
        EXPECT_TRUE(aircraftFace(1 - c.faceGroup, 0).empty());
    }
}

TEST(MeshChunks, TheRestOfALongGroupLineIsReadAsARecordOfItsOwn)
{
    loadAircraftText("g" + repeat('x', 36) + "v 1 2 3\n" + "g" + repeat(' ', 36) + "9 9 9\n");
    expectVec(aircraftModel.vertices[0], 1.0f, 2.0f, 3.0f);
    expectVec(aircraftModel.vertices[1], 0.0f, 0.0f, 0.0f);
}

TEST(MeshChunks, AFaceLineKeepsOnlyTheIndicesOfItsFirst37Characters)
{
    // The 37th character is the "1" of the token 15: it is stored as 1, and the rest "5 16"
    // starts a chunk with a digit, which is ignored.
    std::string line = "f 10 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16\n";
    ASSERT_EQ(line.substr(35, 3), " 15");
    loadAircraftText(points(16) + "g\n" + line);
    EXPECT_EQ(aircraftFace(0, 0), (std::vector<int>{10, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 1}));
    EXPECT_TRUE(aircraftFace(0, 1).empty());
}

TEST(MeshChunks, CrLfLineEndsGiveTheSameStoreAsLf)
{
    std::string lf = points(20) + "# comment\n\ng\nf 1 2 3 \nf 4 5 6 7\n" + repeat('x', 35) + "\ng" +
                     repeat('x', 36) + "f 8 9 10\nf 11 12 13 14 15 16 17 18 19 20 1 2 3 4\n";
    std::string crlf;
    for (char c : lf)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);

    loadAircraftText(lf);
    static AircraftModel fromLf;
    memcpy(&fromLf, &aircraftModel, sizeof aircraftModel);
    loadAircraftText(crlf);
    EXPECT_EQ(memcmp(&fromLf, &aircraftModel, sizeof aircraftModel), 0);
    EXPECT_EQ(aircraftFace(0, 0), (std::vector<int>{1, 2, 3}));  // no token from the CR

    // A face record writes only the indices it names: read over a longer first face, the
    // CR LF text leaves the fourth index alone as the LF text does ("3 \r\n" adds no index 0).
    for (const std::string* text : {&lf, &crlf}) {
        loadAircraftText(points(20) + "g\nf 9 9 9 9 9\n");
        FILE* stream = fmemopen((void*)text->data(), text->size(), "r");
        ASSERT_NE(stream, nullptr);
        readMeshStream(stream, meshTables(aircraftModel));
        fclose(stream);
        EXPECT_EQ(aircraftFace(0, 0), (std::vector<int>{1, 2, 3, 9, 9})) << (text == &lf ? "LF" : "CR LF");
    }
}

TEST(MeshChunks, ALoneCarriageReturnIsAnOrdinaryCharacter)
{
    loadAircraftText(points(3) + "g\rg\nf 1 2 3\n");
    EXPECT_EQ(aircraftFace(0, 0), (std::vector<int>{1, 2, 3}));
}

// ---- records ----

TEST(MeshRecords, MissingCoordinatesCarryOverFromThePreviousVertexOrNormalRecord)
{
    loadAircraftText("v 7\nv 1 2 3\nv 4\nn 5 6\nv\nvn 8 9 10\nn -1e2 2.5e-1 +3\nv 1 nan 2\nv 1 1e999 2\nv inf 5 6\nv -nan x 7\n");
    expectVec(aircraftModel.vertices[0], 7.0f, 0.0f, 0.0f);  // first record: missing values are 0
    expectVec(aircraftModel.vertices[1], 1.0f, 2.0f, 3.0f);
    expectVec(aircraftModel.vertices[2], 4.0f, 2.0f, 3.0f);
    expectVec(aircraftModel.normals[0], 5.0f, 6.0f, 3.0f);
    expectVec(aircraftModel.vertices[3], 5.0f, 6.0f, 3.0f);
    expectVec(aircraftModel.vertices[4], 8.0f, 9.0f, 10.0f);  // "vn" is a vertex record
    expectVec(aircraftModel.normals[1], -100.0f, 0.25f, 3.0f);
    // A number that is not finite keeps the previous value; the numbers after it are read.
    expectVec(aircraftModel.vertices[5], 1.0f, 0.25f, 2.0f);
    expectVec(aircraftModel.vertices[6], 1.0f, 0.25f, 2.0f);
    expectVec(aircraftModel.vertices[7], 1.0f, 5.0f, 6.0f);
    expectVec(aircraftModel.vertices[8], 1.0f, 5.0f, 6.0f);  // "x" ends the scan
}

TEST(MeshRecords, FaceTokensAreSplitAtSpacesAndLineEndsAndReadByTheirLeadingInteger)
{
    loadAircraftText(points(20) + "g\nf 12/7/12 +4 abc 5\nf 1\t2 3\nf -3 1\nf\t1 2 3\n");
    const int* face0 = aircraftModel.faces[0][0];
    EXPECT_EQ(face0[0], 12);
    EXPECT_EQ(face0[1], 4);
    EXPECT_EQ(face0[2], 0);   // no digits
    EXPECT_EQ(face0[3], 5);   // stored after the 0; drawing stops at the 0
    EXPECT_EQ(aircraftFace(0, 1), (std::vector<int>{1, 3}));  // a tab does not separate
    EXPECT_EQ(aircraftModel.faces[0][2][0], -3);               // negatives are stored
    EXPECT_EQ(aircraftModel.faces[0][2][1], 1);
    EXPECT_EQ(aircraftFace(0, 3), (std::vector<int>{2, 3}));  // "f\t1" is the keyword token
}

TEST(MeshRecords, AnEmptyFaceRecordStillUsesAFace)
{
    loadAircraftText(points(3) + "g\nf\nf 1 2 3\n");
    EXPECT_TRUE(aircraftFace(0, 0).empty());
    EXPECT_EQ(aircraftFace(0, 1), (std::vector<int>{1, 2, 3}));
}

TEST(MeshRecords, TwoGroupRecordsInARowLeaveTheFirstEmptyAndKeepTheNumbering)
{
    loadAircraftText(points(3) + "g\nf 1 2 3\ng\ng\nf 3 2 1\n");
    EXPECT_EQ(aircraftFace(0, 0), (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(aircraftFace(1, 0).empty());
    EXPECT_EQ(aircraftFace(2, 0), (std::vector<int>{3, 2, 1}));
}

TEST(MeshRecords, FacesMayNameVerticesThatComeLater)
{
    loadAircraftText(points(4) + "g\nf 1 2 3 4\n");
    static AircraftModel verticesFirst;
    memcpy(&verticesFirst, &aircraftModel, sizeof aircraftModel);
    loadAircraftText("g\nf 1 2 3 4\n" + points(4));
    EXPECT_EQ(memcmp(&verticesFirst, &aircraftModel, sizeof aircraftModel), 0);
    EXPECT_EQ(aircraftFace(0, 0), (std::vector<int>{1, 2, 3, 4}));
}

TEST(MeshRecords, EmptyOrCommentOnlyFilesLeaveTheStoreZero)
{
    static AircraftModel zero;
    for (const char* text : {"", "# only a comment\n\n\n", "\r\n\r\n", "x y z\n"}) {
        loadAircraftText(text);
        EXPECT_EQ(memcmp(&zero, &aircraftModel, sizeof aircraftModel), 0) << text;
    }
}

// ---- bounds: nothing is read or written outside a table ----

TEST(MeshBounds, RecordsBeyondTheVertexAndNormalTablesAreDropped)
{
    std::string text;
    for (int i = 1; i <= kAircraftVertexSlots + 5; i++)
        text += "v " + std::to_string(i) + " 1 1\n";
    loadAircraftText(text);
    EXPECT_EQ(aircraftModel.vertices[kAircraftVertexSlots - 1].x, (float)kAircraftVertexSlots);
    expectVec(aircraftModel.normals[0], 0.0f, 0.0f, 0.0f);  // the table after it is untouched

    text.clear();
    for (int i = 1; i <= kMeshNormalSlots + 5; i++)
        text += "n " + std::to_string(i) + " 1 1\n";
    loadAircraftText(text);
    EXPECT_EQ(aircraftModel.normals[kMeshNormalSlots - 1].x, (float)kMeshNormalSlots);
    EXPECT_EQ(aircraftModel.faces[0][0][0], 0);
}

TEST(MeshBounds, AFaceBeforeTheFirstGroupIsDropped)
{
    loadAircraftText(points(3) + "f 1 2 3\ng\nf 2 3 1\n");
    EXPECT_EQ(aircraftFace(0, 0), (std::vector<int>{2, 3, 1}));
    EXPECT_TRUE(aircraftFace(0, 1).empty());
}

TEST(MeshBounds, FacesOfGroupsBeyondTheStoreAreDropped)
{
    loadPropellerText(points(3) + "g\nf 1 2 3\ng\nf 2 3 1\ng\nf 3 1 2\nf 3 2 1\ng\ng\nf 1 1 1\n");
    EXPECT_EQ(faceOf(propellerModel.faces[0][0]), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(faceOf(propellerModel.faces[1][0]), (std::vector<int>{2, 3, 1}));
    EXPECT_TRUE(faceOf(propellerModel.faces[1][1]).empty());
}

TEST(MeshBounds, FacesBeyondTheGroupsCapacityAreDroppedNotSpilledIntoTheNextGroup)
{
    // A propeller group holds 2046 faces, an odd number the model files are made to fit.
    ASSERT_EQ(sizeof propellerModel.faces[0] / sizeof propellerModel.faces[0][0], 2046u);
    std::string text = points(3) + "g\n";
    for (int f = 0; f < 2046 + 3; f++)
        text += "f 1 2 3\n";
    text += "g\nf 3 2 1\n";
    loadPropellerText(text);
    EXPECT_EQ(faceOf(propellerModel.faces[0][2045]), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(faceOf(propellerModel.faces[1][0]), (std::vector<int>{3, 2, 1}));
    EXPECT_TRUE(faceOf(propellerModel.faces[1][1]).empty());
}

TEST(MeshBounds, IndicesThatNameNoLoadedVertexAndNormalEndTheFace)
{
    // Three vertices but only two normals, then an index past the store's capacity.
    loadAircraftText("v 1 1 1\nv 2 2 2\nv 3 3 3\nn 0 1 0\nn 0 1 0\ng\nf 1 2 3\nf 2 1 4\nf 1 7000 2\nf 2 1 2\n");
    EXPECT_EQ(aircraftModel.faces[0][0][2], 0);
    EXPECT_EQ(aircraftFace(0, 0), (std::vector<int>{1, 2}));
    EXPECT_EQ(aircraftFace(0, 1), (std::vector<int>{2, 1}));
    EXPECT_EQ(aircraftFace(0, 2), (std::vector<int>{1}));
    EXPECT_EQ(aircraftFace(0, 3), (std::vector<int>{2, 1, 2}));
}

TEST(MeshBounds, IndicesTooLargeForAnIntSaturateInsteadOfOverflowing)
{
    loadAircraftText(points(3) + "g\nf 1 -2147483647 -2147483648\nf 1 -2147483649\n"
                                 "f 1 -9999999999999999999999999999\n"
                                 "f 2147483647 1\nf 2147483648 1\nf 99999999999999999999999 1\n");
    EXPECT_EQ(aircraftModel.faces[0][0][1], -2147483647);
    EXPECT_EQ(aircraftModel.faces[0][0][2], INT_MIN);
    EXPECT_EQ(aircraftModel.faces[0][1][1], INT_MIN);
    EXPECT_EQ(aircraftModel.faces[0][2][1], INT_MIN);
    for (int f = 3; f <= 5; f++) {  // too large positives name no vertex: the face ends at once
        EXPECT_EQ(aircraftModel.faces[0][f][0], 0);
        EXPECT_EQ(aircraftModel.faces[0][f][1], 1);
    }
}

TEST(MeshBounds, AKeywordFillingTheWholeChunkIsReadSafely)
{
    loadAircraftText("v 1 2 3\n" + repeat('v', 37) + "\nn" + repeat('q', 36) + "\nf" + repeat('f', 36) + "\n");
    expectVec(aircraftModel.vertices[1], 1.0f, 2.0f, 3.0f);
    expectVec(aircraftModel.vertices[2], 0.0f, 0.0f, 0.0f);  // the "\n" after 37 v's is no record
    expectVec(aircraftModel.normals[0], 1.0f, 2.0f, 3.0f);
}

TEST(MeshBounds, NulBytesAndBinaryNoiseDoNoHarm)
{
    std::string text = points(3) + "g\nf 1 2";
    text += '\0';
    text += " 3\n\xff\xfe v\0v 9 9 9\n";
    text += std::string("f\0 1 2 3\n", 9);
    loadAircraftText(text);
    EXPECT_EQ(aircraftFace(0, 0), (std::vector<int>{1, 2}));  // the chunk ends at its NUL
}

// ---- the two loaders ----

TEST(MeshLoaders, AircraftLoaderWithoutAStreamReportsAndLoadsNothing)
{
    loadAircraftText(points(3) + "g\nf 1 2 3\n");
    testing::internal::CaptureStdout();
    loadAircraftModel(nullptr);
    fflush(stdout);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Invalid file pointer\n");
    EXPECT_EQ(aircraftFace(0, 0), (std::vector<int>{1, 2, 3}));
}

class PropellerFolder : public testing::Test {
protected:
    void SetUp() override
    {
        folder = makeScratchFolder("brinewings-prop");
        ASSERT_NE(folder, "");
        previous = std::filesystem::current_path();
        std::filesystem::current_path(folder);
    }
    void TearDown() override
    {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(folder);
    }
    std::string folder;
    std::filesystem::path previous;
};

TEST_F(PropellerFolder, PropellerLoaderReadsPropellerTxtFromTheWorkingDirectory)
{
    FILE* file = fopen("propeller.txt", "w");
    ASSERT_NE(file, nullptr);
    fputs("v 1 2 3\r\nv 4 5 6\r\nv 7 8 9\r\nn 0 0 1\r\nn 0 0 1\r\nn 0 0 1\r\ng\r\ng\r\nf 3 2 1\r\n", file);
    fclose(file);
    clearMeshTables(meshTables(propellerModel));
    loadPropellerModel();
    expectVec(propellerModel.vertices[2], 7.0f, 8.0f, 9.0f);
    EXPECT_EQ(faceOf(propellerModel.faces[1][0]), (std::vector<int>{3, 2, 1}));
}

TEST_F(PropellerFolder, MissingPropellerFileIsReportedAndRefused)
{
    testing::internal::CaptureStdout();
    bool loaded = loadPropellerModel();
    fflush(stdout);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Can't open propeller file\n");
    EXPECT_FALSE(loaded);
}
