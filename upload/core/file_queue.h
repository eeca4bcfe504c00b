// CZELFileQueue: the job record of one picture that the uploader hands to the upload pool. A plain
// 1,080-byte structure; its texts are filled with mb::CopyToField so that they always end in 0.
#pragma once

#include <cstddef>
#include <cstdint>

struct CZELFileQueue {
  char path[260];
  char title[256];
  char pix[32];  // "W*H"
  char remark[256];
  char tag[256];
  std::int32_t pk;          // 1: the picture takes part in PK
  std::int32_t pictureType;
  std::int32_t uploadType;
  std::int32_t privateFlag;  // 1: private
  std::int32_t album;
};

static_assert(sizeof(CZELFileQueue) == 1080, "the job record keeps its size");
static_assert(offsetof(CZELFileQueue, title) == 260 && offsetof(CZELFileQueue, pix) == 516 &&
                  offsetof(CZELFileQueue, remark) == 548 && offsetof(CZELFileQueue, tag) == 804 &&
                  offsetof(CZELFileQueue, pk) == 1060 && offsetof(CZELFileQueue, album) == 1076,
              "the job record keeps its layout");
