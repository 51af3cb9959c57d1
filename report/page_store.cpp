// The page collection: finished pages, at most a few of them in memory and
// the rest in the swap file, with each distinct picture stored once.
#include <charconv>
#include <deque>
#include <limits>
#include <unordered_map>

#include "base/errors.h"
#include "report/metafile.h"
#include "report/page_codec.h"
#include "report/swap_file.h"

namespace tarvek::report {

struct GraphicStorage::Impl : GraphicSurface::PictureStore {
    // Where a page or a picture lies in the swap file.
    struct Record {
        std::uint64_t offset = 0;
        std::uint64_t length = 0;
    };
    struct Resident {
        int index = 0;
        // Shared with whoever took the page as it was added (a filter writing
        // on another thread): it may outlive its time in memory here.
        std::shared_ptr<GraphicSurface> page;
        bool changed = false;  // handed out for changing: written again when it goes
    };
    struct StoredPicture {
        Record record;
        WeakPicture live;  // the pixels while someone still shows them
    };

    // Deques: a long collection's tables never need room for twice their
    // entries, nor a copy of them while growing.
    std::deque<Record> pages;
    std::deque<Resident> in_memory;  // oldest first
    std::deque<StoredPicture> pictures;
    // Picture ids of the pictures stored, while their pixels live: a picture
    // shown again is found here and not written again.
    std::unordered_map<std::uint64_t, std::uint32_t> picture_numbers;
    std::size_t numbers_after_sweep = 0;
    std::unique_ptr<SwapFile> swap;
    std::uint64_t bytes_read = 0;
    AddedPageListener listener;

    SwapFile& swap_file() {
        if (!swap) swap = std::make_unique<SwapFile>();
        return *swap;
    }

    Record store(const std::string& bytes) {
        return Record{swap_file().append(bytes), bytes.size()};
    }

    std::string read(const Record& record) {
        bytes_read += record.length;
        return swap->read(record.offset, record.length);
    }

    std::uint32_t number_of(const Picture& picture) override {
        if (const auto found = picture_numbers.find(picture.id()); found != picture_numbers.end())
            return found->second;
        if (pictures.size() >= std::numeric_limits<std::uint32_t>::max()) {
            throw Error("Too many pictures for one page collection");
        }
        const auto number = static_cast<std::uint32_t>(pictures.size());
        pictures.push_back(StoredPicture{store(encode_picture(picture)), WeakPicture(picture)});
        remember(picture, number);
        return number;
    }

    Picture picture(std::uint32_t number) override {
        if (number >= pictures.size()) {
            throw Error("Damaged page data: picture " + std::to_string(number) +
                        " was never stored");
        }
        StoredPicture& stored = pictures[number];
        Picture live = stored.live.lock();
        if (!live.empty()) return live;
        Picture picture = decode_picture(read(stored.record));
        stored.live = WeakPicture(picture);
        remember(picture, number);
        return picture;
    }

    // The ids of pictures whose pixels are gone can never come again: they
    // are dropped whenever the table doubled since the last look, and with
    // them the pictures' last remains (a weak reference keeps its block).
    void remember(const Picture& picture, std::uint32_t number) {
        picture_numbers[picture.id()] = number;
        if (picture_numbers.size() < 2 * numbers_after_sweep + 64) return;
        std::erase_if(picture_numbers, [&](const auto& entry) {
            WeakPicture& live = pictures[entry.second].live;
            if (!live.expired()) return false;
            live = WeakPicture();
            return true;
        });
        numbers_after_sweep = picture_numbers.size();
    }

    void write_page(int index, const GraphicSurface& page) {
        pages[static_cast<std::size_t>(index)] = store(page.serialize(this));
    }

    void evict_oldest() {
        Resident& oldest = in_memory.front();
        if (oldest.changed) write_page(oldest.index, *oldest.page);
        in_memory.pop_front();
    }

    Resident& resident(int index) {
        for (Resident& r : in_memory) {
            if (r.index == index) return r;
        }
        std::shared_ptr<GraphicSurface> loaded;
        try {
            loaded =
                GraphicSurface::deserialize(read(pages[static_cast<std::size_t>(index)]), this);
        } catch (const Error& e) {
            throw Error("Cannot read page " + std::to_string(index) + " back from " +
                        swap->path().string() + ": " + e.what());
        }
        while (in_memory.size() >= static_cast<std::size_t>(kPagesInMemory)) evict_oldest();
        return in_memory.emplace_back(Resident{index, std::move(loaded), false});
    }
};

GraphicStorage::GraphicStorage() : impl_(std::make_unique<Impl>()) {}
GraphicStorage::~GraphicStorage() = default;

void GraphicStorage::clear() {
    const std::lock_guard lock(mutex_);
    AddedPageListener listener = std::move(impl_->listener);
    impl_ = std::make_unique<Impl>();
    impl_->listener = std::move(listener);
    macros.clear();
}

void GraphicStorage::add(std::unique_ptr<GraphicSurface> page) {
    if (!page) throw Error("Cannot add a missing page to the page collection");
    std::shared_ptr<const GraphicSurface> added;
    AddedPageListener listener;
    {
        const std::lock_guard lock(mutex_);
        Impl& impl = *impl_;
        const int index = static_cast<int>(impl.pages.size());
        page->page_index = index;
        impl.pages.emplace_back();
        try {
            impl.write_page(index, *page);
        } catch (...) {
            impl.pages.pop_back();
            throw;
        }
        std::shared_ptr<GraphicSurface> shared = std::move(page);
        if (impl.listener) {
            added = shared;
            listener = impl.listener;
        }
        impl.in_memory.push_back(Impl::Resident{index, std::move(shared), false});
        while (impl.in_memory.size() > static_cast<std::size_t>(kPagesInMemory)) {
            impl.evict_oldest();
        }
    }
    // Outside the lock: the listener may wait for a reader of this collection.
    if (listener) listener(std::move(added));
}

void GraphicStorage::set_added_page_listener(AddedPageListener listener) {
    const std::lock_guard lock(mutex_);
    impl_->listener = std::move(listener);
}

const GraphicSurface* GraphicStorage::page(int index) {
    const std::lock_guard lock(mutex_);
    if (index < 0 || index >= static_cast<int>(impl_->pages.size())) return nullptr;
    return impl_->resident(index).page.get();
}

GraphicSurface* GraphicStorage::page_for_change(int index) {
    const std::lock_guard lock(mutex_);
    if (index < 0 || index >= static_cast<int>(impl_->pages.size())) return nullptr;
    Impl::Resident& resident = impl_->resident(index);
    resident.changed = true;
    return resident.page.get();
}

std::uint32_t GraphicStorage::picture_number(const Picture& picture) {
    if (picture.empty()) throw Error("No picture has a number in the page collection");
    const std::lock_guard lock(mutex_);
    return impl_->number_of(picture);
}

int GraphicStorage::page_count() const {
    const std::lock_guard lock(mutex_);
    return static_cast<int>(impl_->pages.size());
}

int GraphicStorage::pages_in_memory() const {
    const std::lock_guard lock(mutex_);
    return static_cast<int>(impl_->in_memory.size());
}

std::uint64_t GraphicStorage::swap_size() const {
    const std::lock_guard lock(mutex_);
    return impl_->swap ? impl_->swap->size() : 0;
}

std::uint64_t GraphicStorage::swap_read() const {
    const std::lock_guard lock(mutex_);
    return impl_->bytes_read;
}

namespace {

int paper_pixels(const Macros& macros, bool along_width) {
    const bool landscape = macro_value(macros, "Orientation") == "2";
    const char* name = along_width != landscape ? "PaperWidth" : "PaperHeight";
    bool found = false;
    std::string text = macro_value(macros, name, &found);
    if (!found || text.empty()) return 0;
    // Written with the program's own decimal point, but a comma is read too.
    for (char& c : text) {
        if (c == ',') c = '.';
    }
    double mm = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), mm);
    if (error != std::errc() || end != text.data() + text.size()) {
        throw Error(std::string("Page macro ") + name + " is not a number: '" + text + "'");
    }
    return mm_to_pixels(mm);
}

}  // namespace

int GraphicStorage::page_width() const {
    return paper_pixels(macros, true);
}
int GraphicStorage::page_height() const {
    return paper_pixels(macros, false);
}

}  // namespace tarvek::report
