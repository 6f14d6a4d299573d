// Entries passing between windows through the drag-and-drop record: offers
// taken from another add-on's database (honest and hostile), and our own
// offers as the host sees them.

#include "operations/entry_intake.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "model/sl5_file.h"
#include "support/adapter_fixture.h"

namespace zun {
namespace {

constexpr uintptr_t kOwnWindow = 0x1000;
constexpr uintptr_t kPeerWindow = 0x2000;
constexpr char kPeerMap[] = "Peer_UDBase";

struct Snapshot {
  std::vector<std::vector<int8_t>> numbers;
  std::vector<std::string> sources;
  bool operator==(const Snapshot&) const = default;
};

Snapshot Take(const TZUN_User_Lotto_DBase& database) {
  Snapshot snapshot;
  for (const auto& entry : database.Entries) {
    const auto numbers = entry.Numbers[0];
    snapshot.numbers.emplace_back(numbers.begin(), numbers.end());
    snapshot.sources.emplace_back(entry.Source.view());
  }
  return snapshot;
}

// A started core, a peer's database on the same game behind kPeerMap, and
// two entries of our own that an offer must never lose.
struct IntakeFixture : testing::AdapterFixture {
  explicit IntakeFixture(const MemoryProbe* probe = nullptr) : AdapterFixture(hostside::MakeLotto649(3), probe) {
    EXPECT_EQ(Start(), 1);
    messenger.record = &Record();
    // Two entries of our own, loaded from a file.
    files.files["C:\\db\\own.sl5"] = Sl5Bytes(*hostside::MakeSampleDatabase(*game, 2, 99));
    dialogs.openAnswers.push_back({"C:\\db\\own.sl5"});
    adapter.Execute(CommandId::Load);
    for (int32_t i = 0; i < source->Entries.size(); ++i) source->Entries[i].Source.assign("Peer " + std::to_string(i));
    PublishSource(source.get());
  }

  void PublishSource(const void* pointer) {
    auto& block = memory.blocks[kPeerMap];
    block.resize(4096);
    std::memcpy(block.data(), &pointer, sizeof pointer);
  }
  // Fills the record as a peer's offer of these source entries.
  void Offer(std::initializer_list<int32_t> which, int32_t kind = 2) {
    offered.resize(0);
    for (int32_t index : which) offered.push_back(index);
    DragDropRecord& record = Record();
    record.SourceWindow = kPeerWindow;
    record.TransferKind = kind;
    record.TransferName = kPeerMap;
    record.EntryIndices = HostArrayRef<int32_t>(offered.data());
  }
  void TakeOffer() { adapter.TakeOfferedEntries(); }
  // Sets the element count the host's header shows in front of the offered indexes.
  void SetOfferedCount(int32_t count) {
    auto* header = reinterpret_cast<HostBlockHeader*>(offered.data()) - 1;
    header->Length = count;
  }
  std::vector<int8_t> SourceNumbers(int32_t entry) const {
    const auto numbers = source->Entries[entry].Numbers[0];
    return {numbers.begin(), numbers.end()};
  }
  bool MapOpened() const {
    for (const std::string& line : memory.log)
      if (line.rfind(std::string("open ") + kPeerMap, 0) == 0) return true;
    return false;
  }

  std::unique_ptr<TZUN_User_Lotto_DBase> source = hostside::MakeSampleDatabase(*game, 10, 7);
  HostArray<int32_t> offered;
};

TEST(TakingOfferedEntries, OfferedEntriesAreAppendedInOfferOrderWithTheirNumbersAndSources) {
  IntakeFixture f;
  const Snapshot before = Take(f.Database());
  f.Offer({7, 2, 5});
  f.views.progress.clear();
  f.TakeOffer();
  ASSERT_EQ(f.Database().Entries.size(), 5);
  for (int32_t i = 0; i < 2; ++i) {
    const auto numbers = f.Database().Entries[i].Numbers[0];
    EXPECT_EQ(std::vector<int8_t>(numbers.begin(), numbers.end()), before.numbers[static_cast<size_t>(i)]);
  }
  const int32_t offered[] = {7, 2, 5};
  for (int32_t i = 0; i < 3; ++i) {
    const auto& entry = f.Database().Entries[2 + i];
    const auto numbers = entry.Numbers[0];
    EXPECT_EQ(std::vector<int8_t>(numbers.begin(), numbers.end()), f.SourceNumbers(offered[i]));
    EXPECT_EQ(entry.Source.view(), "Peer " + std::to_string(offered[i]));
    EXPECT_NE(entry.Numbers.HostReference(), f.source->Entries[offered[i]].Numbers.HostReference()) << "a copy";
  }
  EXPECT_EQ(f.Doc().List().RowCount(), 5);
  EXPECT_EQ(f.views.rowCount, 5);
  EXPECT_TRUE(f.Doc().Session().DatabaseModified());
  EXPECT_FALSE(f.Doc().Session().MultipleFilesLoaded());
  EXPECT_EQ(f.Doc().Session().CurrentDatabaseFile(), "C:\\db\\own.sl5") << "as it was";
  ASSERT_FALSE(f.views.progress.empty());
  EXPECT_EQ(f.views.progress.back(), 0);
  EXPECT_TRUE(f.prompt.shown.empty());
  EXPECT_EQ(f.memory.log.back(), std::string("close ") + kPeerMap);
}

// Offered entries take their sorted places; the selected row stays in view.
TEST(TakingOfferedEntries, TheSelectedRowIsScrolledIntoViewAfterTheRowsAreSorted) {
  IntakeFixture f;
  f.adapter.ColumnClicked(1);
  f.SelectRow(1);
  const int32_t selectedEntry = f.Doc().List().EntryAt(1);
  f.views.revealed.clear();
  f.Offer({7, 2, 5});
  f.TakeOffer();
  ASSERT_FALSE(f.views.revealed.empty());
  EXPECT_EQ(f.Doc().List().EntryAt(f.views.revealed.back()), selectedEntry);
}

TEST(TakingOfferedEntries, AnOfferOfOurOwnDatabaseFromAnotherWindowCopiesItsEntries) {
  IntakeFixture f;
  f.PublishSource(f.Doc().Database());
  f.Offer({1, 0});
  f.TakeOffer();
  const Snapshot after = Take(f.Database());
  ASSERT_EQ(after.numbers.size(), 4u);
  EXPECT_EQ(after.numbers[2], after.numbers[1]);
  EXPECT_EQ(after.numbers[3], after.numbers[0]);
  EXPECT_EQ(after.sources[2], after.sources[1]);
}

TEST(TakingOfferedEntries, AHundredThousandEntriesAreTakenWhole) {
  IntakeFixture f;
  f.source = hostside::MakeSampleDatabase(*f.game, 100000, 5);
  f.PublishSource(f.source.get());
  f.Offer({});
  for (int32_t i = 0; i < 100000; ++i) f.offered.push_back(99999 - i);
  f.Record().EntryIndices = HostArrayRef<int32_t>(f.offered.data());
  f.views.progress.clear();
  f.TakeOffer();
  ASSERT_EQ(f.Database().Entries.size(), 100002);
  EXPECT_EQ(f.Doc().List().RowCount(), 100002);
  EXPECT_TRUE(f.Database().Entries[2].Numbers == f.source->Entries[99999].Numbers);
  EXPECT_TRUE(f.Database().Entries[100001].Numbers == f.source->Entries[0].Numbers);
  EXPECT_LE(f.views.progress.size(), 102u) << "progress is shown per percent, not per entry";
}

// The probe is asked about the pages of the source's entries, not about
// each entry; a page it refuses still refuses every entry on it, however
// many entries on other pages were taken before.
TEST(TakingOfferedEntries, ALargeOfferAsksAboutPagesAndStillSkipsEntriesOnUnreadableOnes) {
  struct CountingProbe final : MemoryProbe {
    testing::FakeMemoryProbe fake;
    mutable int64_t questions = 0;
    bool Readable(const void* address, size_t bytes) const override {
      ++questions;
      return fake.Readable(address, bytes);
    }
  };
  CountingProbe probe;
  IntakeFixture f(&probe);
  constexpr int32_t kCount = 20000;
  f.source = hostside::MakeSampleDatabase(*f.game, kCount, 5);
  for (int32_t i = 0; i < kCount; ++i) f.source->Entries[i].Source.assign("Peer " + std::to_string(i));
  f.PublishSource(f.source.get());
  // The page that holds the start of a middle entry's numbers is unreadable.
  constexpr int32_t kOnBadPage = kCount / 2;
  const auto start = reinterpret_cast<uintptr_t>(f.source->Entries[kOnBadPage].Numbers.HostReference());
  probe.fake.unreadable.push_back({reinterpret_cast<const void*>(start - start % 4096), 4096});
  f.Offer({});
  for (int32_t i = 0; i < kCount; ++i) f.offered.push_back(i);
  f.Record().EntryIndices = HostArrayRef<int32_t>(f.offered.data());
  f.TakeOffer();

  EXPECT_LT(probe.questions, kCount / 10);
  const int32_t taken = f.Database().Entries.size() - 2;
  EXPECT_GT(taken, kCount - 200) << "only the entries on that page are skipped";
  ASSERT_EQ(f.prompt.shown.size(), 1u);
  EXPECT_EQ(f.prompt.shown[0].text.rfind(std::to_string(kCount - taken) + " of the " + std::to_string(kCount), 0), 0u)
      << f.prompt.shown[0].text;
  for (int32_t e = 2; e < f.Database().Entries.size(); ++e)
    ASSERT_NE(f.Database().Entries[e].Source.view(), "Peer " + std::to_string(kOnBadPage)) << "taken from the bad page";
}

TEST(TakingOfferedEntries, BadIndexesAndMisshapenEntriesAreSkippedAndCounted) {
  IntakeFixture f;
  f.source->Entries[3].Numbers.Reshape(EntryNumbers::Shape(std::vector<int32_t>{5}));
  f.source->Entries[4].Numbers.Reshape(EntryNumbers::Shape(std::vector<int32_t>{6, 1}));
  f.Offer({-1, 1, 10, 3, 4, 8});
  f.TakeOffer();
  ASSERT_EQ(f.Database().Entries.size(), 4);
  EXPECT_EQ(f.Database().Entries[2].Source.view(), "Peer 1");
  EXPECT_EQ(f.Database().Entries[3].Source.view(), "Peer 8");
  ASSERT_EQ(f.prompt.shown.size(), 1u);
  EXPECT_EQ(f.prompt.shown[0].text.substr(0, 32), "4 of the 6 offered entries were ");
  EXPECT_EQ(f.prompt.shown[0].iconKind, kIconInformation);
}

TEST(TakingOfferedEntries, AnOfferOfNothingButBadIndexesChangesNothing) {
  IntakeFixture f;
  f.Offer({-1, 10});
  f.TakeOffer();
  EXPECT_EQ(f.Database().Entries.size(), 2);
  EXPECT_FALSE(f.Doc().Session().DatabaseModified());
  ASSERT_EQ(f.prompt.shown.size(), 1u);
  EXPECT_EQ(f.prompt.shown[0].text.substr(0, 32), "2 of the 2 offered entries were ");
}

// Each of these offers is refused as a whole: it is reported, and the
// database, the rows and the modified flag stay as they were.
TEST(TakingOfferedEntries, DamagedOffersAreRefusedWholeWithTheReason) {
  // The step that refuses: opening the drop map, or copying the entries
  // (the map is closed after a refused copy, but the report names the copy).
  constexpr const char* kOpenMap = "ZUN User DBase Builder 009022";
  constexpr const char* kCopy = "ZUN User DBase Builder 009024";
  struct Case {
    const char* name;
    std::function<void(IntakeFixture&)> spoil;
    const char* reason;
    const char* code;
  };
  const Case cases[] = {
      {"null name", [](IntakeFixture& f) { f.Record().TransferName = nullptr; }, "The offer names no memory map.",
       kOpenMap},
      {"map that cannot be opened", [](IntakeFixture& f) { f.memory.failOn = kPeerMap; },
       "The memory map \"Peer_UDBase\" cannot be opened.", kOpenMap},
      {"null source", [](IntakeFixture& f) { f.PublishSource(nullptr); }, "The offered entries cannot be reached.",
       kCopy},
      {"unreadable source",
       [](IntakeFixture& f) { f.fakeProbe.unreadable.push_back({f.source.get(), sizeof(TZUN_User_Lotto_DBase)}); },
       "The offered entries cannot be reached.", kCopy},
      {"unreadable entries",
       [](IntakeFixture& f) { f.fakeProbe.unreadable.push_back({f.source->Entries.data() + 9, 1}); },
       "The offered entries cannot be reached.", kCopy},
      {"another game's sets",
       [](IntakeFixture& f) {
         static std::unique_ptr<TZUN_Lotto_Temp> other = hostside::MakeTwinPool(1);
         f.source = hostside::MakeSampleDatabase(*other, 10, 7);
         f.PublishSource(f.source.get());
       },
       "The offered entries belong to another game.", kCopy},
      {"a set of another range", [](IntakeFixture& f) { f.source->NumberSets[0].HighestNumber = 50; },
       "The offered entries belong to another game.", kCopy},
      {"a set of another count", [](IntakeFixture& f) { f.source->NumberSets[0].SecondaryCount += 1; },
       "The offered entries belong to another game.", kCopy},
      {"negative index count", [](IntakeFixture& f) { f.SetOfferedCount(-3); },
       "The list of offered entries is damaged.", kCopy},
      {"more indexes than entries", [](IntakeFixture& f) { f.SetOfferedCount(1000000); },
       "The list of offered entries is damaged.", kCopy},
      {"unreadable indexes", [](IntakeFixture& f) { f.fakeProbe.unreadable.push_back({f.offered.data() + 2, 4}); },
       "The list of offered entries is damaged.", kCopy},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    IntakeFixture f;
    const Snapshot before = Take(f.Database());
    f.Offer({0, 1, 2});
    c.spoil(f);
    f.TakeOffer();
    f.SetOfferedCount(3);  // the block is freed by its true count
    EXPECT_EQ(Take(f.Database()), before);
    EXPECT_EQ(f.Doc().List().RowCount(), 2);
    EXPECT_FALSE(f.Doc().Session().DatabaseModified());
    ASSERT_EQ(f.prompt.shown.size(), 1u);
    EXPECT_EQ(f.prompt.shown[0].text, std::string("Error while adding DragDrop Entries.\r") + c.reason + "\rRef: " +
                                          c.code + "\rPlease contact ZUN Developer.");
  }
}

// Appending rewrites OwnPool and AuxFlag from the host's draw sets, so two
// databases of one game may differ there; only the sets' shape decides.
TEST(TakingOfferedEntries, AnOfferOfTheSameGameIsTakenWhateverItsPoolFlagsSay) {
  IntakeFixture f;
  f.source->NumberSets[0].OwnPool ^= 1;
  f.source->NumberSets[0].AuxFlag ^= 1;
  f.Offer({4, 6});
  f.TakeOffer();
  EXPECT_TRUE(f.prompt.shown.empty()) << (f.prompt.shown.empty() ? "" : f.prompt.shown[0].text);
  ASSERT_EQ(f.Database().Entries.size(), 4);
  EXPECT_EQ(f.Database().Entries[3].Source.view(), "Peer 6");
  EXPECT_NE(f.Database().NumberSets[0].OwnPool, f.source->NumberSets[0].OwnPool) << "our own sets stay ours";
}

TEST(TakingOfferedEntries, TheHourglassShowsWhileAnOfferIsTakenAndGoesAfterwards) {
  const std::function<void(IntakeFixture&)> offers[] = {
      [](IntakeFixture& f) { f.Offer({1, 2}); },
      [](IntakeFixture& f) {
        f.Offer({1, 2});
        f.PublishSource(nullptr);  // refused
      },
      [](IntakeFixture& f) { f.Offer({1, 2}, 1); },
  };
  for (size_t i = 0; i < std::size(offers); ++i) {
    SCOPED_TRACE(i);
    IntakeFixture f;
    offers[i](f);
    f.cursor.history.clear();
    f.TakeOffer();
    ASSERT_FALSE(f.cursor.history.empty()) << "the hourglass never showed";
    EXPECT_EQ(f.cursor.history.front(), kCursorHourGlass);
    EXPECT_EQ(f.cursor.cursor, kCursorDefault);
  }
}

TEST(TakingOfferedEntries, UnknownKindsAndReadOnlyMapsTakeNothingSilently) {
  struct Case {
    const char* name;
    int32_t kind;
    uintptr_t sourceWindow;
    bool opensMap;
  };
  const Case cases[] = {
      {"kind 0", 0, kPeerWindow, false},
      {"kind 4", 4, kPeerWindow, false},
      {"read-only map", 1, kPeerWindow, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    IntakeFixture f;
    const Snapshot before = Take(f.Database());
    f.Offer({0, 1}, c.kind);
    f.Record().SourceWindow = c.sourceWindow;
    f.TakeOffer();
    EXPECT_EQ(Take(f.Database()), before);
    EXPECT_FALSE(f.Doc().Session().DatabaseModified());
    EXPECT_TRUE(f.prompt.shown.empty());
    EXPECT_EQ(f.MapOpened(), c.opensMap);
    if (c.opensMap) {
      const auto& log = f.memory.log;
      ASSERT_GE(log.size(), 2u);
      EXPECT_EQ(log[log.size() - 2], std::string("open ") + kPeerMap + " ro");
      EXPECT_EQ(log.back(), std::string("close ") + kPeerMap);
    }
  }
}

TEST(TakingOfferedEntries, ADatabaseFileOfferIsLoadedAsADroppedFile) {
  IntakeFixture f;
  f.adapter.Execute(CommandId::New);  // an empty list takes a file without a question
  f.files.files["C:\\Peer\\picks.sl5"] = Sl5Bytes(*f.source);
  f.Offer({}, 3);
  f.Record().TransferName = "C:\\Peer\\picks.sl5";
  f.TakeOffer();
  EXPECT_EQ(f.Database().Entries.size(), 10);
  EXPECT_TRUE(f.prompt.shown.empty());

  IntakeFixture nameless;
  nameless.Offer({}, 3);
  nameless.Record().TransferName = nullptr;
  nameless.TakeOffer();
  EXPECT_EQ(nameless.Database().Entries.size(), 2);
  EXPECT_TRUE(nameless.prompt.shown.empty());
}

TEST(TakingOfferedEntries, AFailedFileOfferIsReportedAsADragDropNotAsAShellDrop) {
  struct Case {
    const char* name;
    std::function<void(IntakeFixture&)> drop;
    const char* message;
  };
  const Case cases[] = {
      {"a file offered through the record",
       [](IntakeFixture& f) {
         f.Offer({}, 3);
         f.Record().TransferName = "C:\\Peer\\picks.sl5";
         f.TakeOffer();
       },
       "Error while adding Entries from File DragDrop."},
      {"a file dropped from the shell", [](IntakeFixture& f) { f.adapter.FilesDropped({"C:\\Peer\\picks.sl5"}); },
       "Error while adding Entries from File Manager."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    IntakeFixture f;
    f.files.files["C:\\Peer\\picks.sl5"] = Sl5Bytes(*f.source);
    f.prompt.answers = {kResultNo};  // append to the two entries
    std::memset(f.memory.blocks["ZUN_Mem_Map"].data(), 0, sizeof(void*));  // the host let its game go
    c.drop(f);
    ASSERT_EQ(f.prompt.shown.size(), 2u);
    EXPECT_EQ(f.prompt.shown[1].caption, "Error");
    // The step that failed is the same for both: the load checks the files
    // against the game, which is gone.
    EXPECT_EQ(f.prompt.shown[1].text,
              std::string(c.message) + "\rRef: ZUN User DBase Builder 009016\rPlease contact ZUN Developer.");
  }
}

// ---- Offering ---------------------------------------------------------------

// Ten entries whose sources sort the rows showing captions 5, 2 and 9
// first; those three rows are selected.
struct OfferFixture : IntakeFixture {
  OfferFixture() {
    // The peer's ten entries, taken whole into a new database.
    for (int32_t i = 0; i < 10; ++i) source->Entries[i].Source.assign("z");
    source->Entries[4].Source.assign("a");
    source->Entries[1].Source.assign("b");
    source->Entries[8].Source.assign("c");
    adapter.Execute(CommandId::New);
    Offer({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    TakeOffer();
    EXPECT_EQ(Database().Entries.size(), 10);
    adapter.ColumnClicked(Database().NumberSets.size() + 1);  // by source, ascending
    for (int32_t row = 0; row < 3; ++row) SelectRow(row);
    locators.push_back(MakeLocator(0, 0, 0, 0, false));
    locators.push_back(MakeLocator(3, 1, 2, 4, true));
    const void* pointer = locators.data();
    std::memcpy(memory.blocks["Track_Plugins_Menu"].data(), &pointer, sizeof pointer);
  }
  std::vector<int32_t> Indices() { return {offeredBlock().begin(), offeredBlock().end()}; }
  std::span<int32_t> offeredBlock() { return Record().EntryIndices.span(); }
  HostArray<WindowLocator> locators;
};

TEST(OfferingEntries, SendToWritesTheSelectedEntriesInDisplayOrderAndPostsTheOffer) {
  OfferFixture f;
  f.adapter.SendTo(HostAdapter::SendToList::PluginsMenu, 1, kOwnWindow);
  EXPECT_EQ(f.messenger.requests, std::vector<int32_t>{3});
  EXPECT_EQ(f.Indices(), (std::vector<int32_t>{4, 1, 8}));
  EXPECT_EQ(f.messenger.posts, 1);
  const DragDropRecord& record = f.Record();
  EXPECT_EQ(record.TransferKind, 2);
  EXPECT_STREQ(record.TransferName, "ZUN_Mem_Map_UDBase");
  EXPECT_EQ(record.SourceWindow, kOwnWindow);
  EXPECT_EQ(std::vector<int32_t>(record.SendToParams, record.SendToParams + 4), (std::vector<int32_t>{3, 1, 2, 4}));
  EXPECT_EQ(record.SendToInSubGroup, 1);
}

// Only the answer 1 grants the room: any other leaves the host's array as
// it is; Send To still posts its offer.
TEST(OfferingEntries, AnAnswerOtherThanOneWritesNoIndexButTheOfferIsStillPosted) {
  for (const int32_t answer : {0, 2, -1}) {
    SCOPED_TRACE(answer);
    OfferFixture f;
    f.messenger.answer = answer;
    f.messenger.record = nullptr;
    f.offered.resize(0);
    for (int32_t v : {-7, -7, -7}) f.offered.push_back(v);
    f.Record().EntryIndices = HostArrayRef<int32_t>(f.offered.data());
    const WindowLocator target = MakeLocator(0, 0, 0, 0, false);
    EXPECT_FALSE(f.adapter.OfferSelectedEntries(&target, kOwnWindow));
    EXPECT_EQ(f.Indices(), (std::vector<int32_t>{-7, -7, -7}));
    EXPECT_EQ(f.messenger.posts, 1);
  }
}

// The host granted room but its array cannot be written: the listing step
// fails, by its own message, and a drag does not start.
TEST(OfferingEntries, AListingThatCannotBeWrittenIsReportedAsTheListings) {
  OfferFixture f;
  f.messenger.record = nullptr;  // the host answers 1 but leaves the array
  f.Record().EntryIndices = HostArrayRef<int32_t>(f.offered.data());
  const auto* header = reinterpret_cast<const HostBlockHeader*>(f.offered.data()) - 1;
  f.fakeProbe.unreadable.push_back({header, sizeof *header});
  f.prompt.shown.clear();
  EXPECT_FALSE(f.adapter.OfferSelectedEntries(nullptr, kOwnWindow));
  ASSERT_EQ(f.prompt.shown.size(), 1u);
  EXPECT_EQ(f.prompt.shown[0].text,
            "Error seting up DragDrop Listings.\rRef: ZUN DBaseBuilder 008004\rPlease contact ZUN Developer.");
}

TEST(OfferingEntries, AHostThatMadeLessRoomThanItGrantedGetsOnlyThatMany) {
  OfferFixture f;
  f.messenger.room = 2;
  const WindowLocator target = MakeLocator(0, 0, 0, 0, false);
  EXPECT_TRUE(f.adapter.OfferSelectedEntries(&target, kOwnWindow));
  EXPECT_EQ(f.Indices(), (std::vector<int32_t>{4, 1}));

  OfferFixture none;
  none.messenger.room = 0;
  EXPECT_FALSE(none.adapter.OfferSelectedEntries(&target, kOwnWindow));
  EXPECT_TRUE(none.Indices().empty());
}

TEST(OfferingEntries, ADragFillsTheRecordWithoutTargetOrPost) {
  OfferFixture f;
  f.Record().SendToParams[0] = 77;
  EXPECT_TRUE(f.adapter.OfferSelectedEntries(nullptr, kOwnWindow));
  EXPECT_EQ(f.Indices(), (std::vector<int32_t>{4, 1, 8}));
  EXPECT_EQ(f.messenger.posts, 0);
  EXPECT_EQ(f.Record().SendToParams[0], 77);

  OfferFixture unselected;
  unselected.adapter.SelectRows(-1, -1, false);
  EXPECT_FALSE(unselected.adapter.OfferSelectedEntries(nullptr, kOwnWindow));
  EXPECT_TRUE(unselected.messenger.requests.empty());
}

// The list refuses our own rows dragged back onto it; an offer the host
// delivers by message is taken whoever wrote the record last: a host that
// offers a file after our own Send To or drag leaves our window in it.
TEST(OfferingEntries, OurOwnRowsAreRefusedByTheListButAnOfferByMessageIsTakenWhoeverWroteIt) {
  OfferFixture f;
  EXPECT_TRUE(f.adapter.OfferSelectedEntries(nullptr, kOwnWindow));
  EXPECT_FALSE(f.adapter.AcceptsOffer(kOwnWindow)) << "our own rows dragged back onto the list";

  // The record as our drag left it, delivered back by message: our own
  // selected entries are copied.
  f.adapter.TakeOfferedEntries();
  EXPECT_EQ(f.Database().Entries.size(), 13);

  f.files.files["C:\\Peer\\picks.sl5"] = Sl5Bytes(*f.source);
  f.prompt.answers = {kResultNo};  // append
  f.OfferFile("C:\\Peer\\picks.sl5");
  EXPECT_EQ(f.Record().SourceWindow, kOwnWindow) << "the host did not rewrite it";
  EXPECT_EQ(f.Database().Entries.size(), 23) << "the offered file was taken";
}

TEST(OfferingEntries, TheListAcceptsADragOfAnotherWindowsEntriesOrFileOnly) {
  struct Case {
    const char* name;
    int32_t kind;
    uintptr_t sourceWindow;
    bool accepted;
  };
  const Case cases[] = {
      {"another window's entries", 2, kPeerWindow, true},
      {"another window's file", 3, kPeerWindow, true},
      {"a read-only offer", 1, kPeerWindow, false},
      {"an unknown kind", 4, kPeerWindow, false},
      {"our own entries", 2, kOwnWindow, false},
      {"our own file", 3, kOwnWindow, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    IntakeFixture f;
    f.Offer({0}, c.kind);
    f.Record().SourceWindow = c.sourceWindow;
    EXPECT_EQ(f.adapter.AcceptsOffer(kOwnWindow), c.accepted);
  }
  // After our own drag started, our list refuses what the record now says.
  OfferFixture own;
  own.Offer({0}, 2);
  ASSERT_TRUE(own.adapter.AcceptsOffer(kOwnWindow));
  ASSERT_TRUE(own.adapter.OfferSelectedEntries(nullptr, kOwnWindow));
  EXPECT_FALSE(own.adapter.AcceptsOffer(kOwnWindow));
  EXPECT_TRUE(own.adapter.AcceptsOffer(kPeerWindow)) << "another add-on's list takes it";
}

}  // namespace
}  // namespace zun
