#include "info/PictureResources.h"

namespace parvolin {

using platform::FolderItem;
using platform::Picture;
using platform::Ref;

namespace {

AppFolderItemGetter& appFolderItemGetter()
{
    static AppFolderItemGetter getter = &platform::AppFolderItem;
    return getter;
}

// One picture's first-call flag and cache; the caches are never released, not even at
// shut-down.
class PictureResource {
public:
    explicit PictureResource(const char* fileName) : fileName_(fileName) {}

    Ref<Picture> get()
    {
        if (!called_) {
            called_ = true;
            cache_.reset();
        }
        if (cache_)
            return cache_;
        const Ref<FolderItem> resources = GetApplicationBundleResources();
        if (!resources)
            return cache_;
        const Ref<FolderItem> file = resources->Child(platform::Text(fileName_));
        if (!file)
            throw platform::NilObjectException("The picture file \"" + std::string(fileName_) + "\"");
        cache_ = platform::OpenAsPicture(*file);
        return cache_;
    }

    void forget() { called_ = false; }

private:
    const char* fileName_;
    bool called_ = false;
    Ref<Picture> cache_;
};

PictureResource& resource(int index)
{
    static PictureResource resources[] = {
        PictureResource("paypal.gif"), PictureResource("logo317.png"), PictureResource("mulb.png"),
        PictureResource("info0.png"),  PictureResource("info1.png"),   PictureResource("info3.png"),
        PictureResource("info4.png"),
    };
    return resources[index];
}

} // namespace

Ref<Picture> paypal() { return resource(0).get(); }
Ref<Picture> logo317() { return resource(1).get(); }
Ref<Picture> mulb() { return resource(2).get(); }
Ref<Picture> info0() { return resource(3).get(); }
Ref<Picture> info1() { return resource(4).get(); }
Ref<Picture> info3() { return resource(5).get(); }
Ref<Picture> info4() { return resource(6).get(); }

Ref<FolderItem> GetApplicationBundleResources()
{
    const Ref<FolderItem> executable = appFolderItemGetter()();
    const Ref<FolderItem> home = executable->Parent()->Parent();
    if (!home)
        throw platform::NilObjectException("The folder above the program's folder");
    // Child names an item whether or not it exists: only an existing folder counts.
    const Ref<FolderItem> resources = home->Child(platform::Text("Resources"));
    if (!resources || !resources->Directory())
        return Ref<FolderItem>();
    return resources;
}

AppFolderItemGetter setAppFolderItemGetterForTesting(AppFolderItemGetter getter)
{
    AppFolderItemGetter previous = std::move(appFolderItemGetter());
    appFolderItemGetter() = getter ? std::move(getter) : AppFolderItemGetter(&platform::AppFolderItem);
    return previous;
}

void forgetPicturesForTesting()
{
    for (int i = 0; i < 7; ++i)
        resource(i).forget();
}

} // namespace parvolin
