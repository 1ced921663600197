// Registered slopes' mesh files are read again only when they change.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>

#include "TempDir.h"
#include "model/MeshFileCache.h"

namespace {

void Write(const std::string& path, int triangles, int x = 1) {
    std::ofstream out(path, std::ios::trunc);
    out << "TORMEL_MESH\n7,6,7\n" << triangles << "\n";
    for (int i = 1; i <= triangles; ++i) out << i << ",0,0,0," << x << ",0,0,0,1,0\n";
}

TEST(MeshFileCache, ReadsAFileAgainOnlyAfterItsSizeOrTimeChanges) {
    testing_support::TempDir dir;
    const std::string path = dir.File("a.tmsh");
    MeshFileCache cache;
    EXPECT_TRUE(cache.Read(path).empty());  // not there yet
    Write(path, 2);
    EXPECT_EQ(cache.Read(path).size(), 2u);
    struct stat before {};
    ASSERT_EQ(stat(path.c_str(), &before), 0);

    // Same size, same time: the cached mesh stands.
    Write(path, 2, 2);
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    EXPECT_EQ(cache.Read(path)[0].vertices[1].x, 1.0);
    // A new time: read again.
    const timespec later[2] = {{before.st_mtim.tv_sec + 5, 0}, {before.st_mtim.tv_sec + 5, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), later, 0), 0);
    EXPECT_EQ(cache.Read(path)[0].vertices[1].x, 2.0);

    std::remove(path.c_str());
    EXPECT_TRUE(cache.Read(path).empty());
    EXPECT_EQ(cache.Size(), 1u);
}

}  // namespace
