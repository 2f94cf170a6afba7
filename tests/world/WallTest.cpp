#include "WorldTestSupport.h"

#include "objects/ObjectStore.h"
#include "world/Space.h"
#include "world/Wall.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

struct WallPicture {
  int sideFaces = 0;
  int outerFaces = 0; // sides lying on an edge of the space
  int innerFaces = 0; // sides on a centre line
  int tops = 0;
  float topArea = 0.0f;
  bool topsAtTopHeight = true;
};

bool near(float a, float b) {
  return std::fabs(a - b) < 1e-4f;
}

bool isBlack(const FeedbackPolygon &polygon) {
  for (const FeedbackVertex &vertex : polygon.vertices) {
    if (vertex.r != 0.0f || vertex.g != 0.0f || vertex.b != 0.0f) {
      return false;
    }
  }
  return true;
}

// Every top is a rectangle along the axes.
float areaOnGround(const FeedbackPolygon &polygon) {
  const WorldPoint low = lowerCorner(polygon);
  const WorldPoint high = upperCorner(polygon);
  return (high.x - low.x) * (high.y - low.y);
}

// A side face stands upright along x = constant or y = constant; it is outer
// when that line is an edge of the space at (0, 0).
bool isOuter(const FeedbackPolygon &polygon) {
  const WorldPoint first = toWorld(polygon.vertices[0]);
  bool sameX = true;
  bool sameY = true;
  for (const FeedbackVertex &vertex : polygon.vertices) {
    const WorldPoint point = toWorld(vertex);
    sameX = sameX && near(point.x, first.x);
    sameY = sameY && near(point.y, first.y);
  }
  const float line = sameX ? first.x : first.y;
  return near(line, 0.0f) || near(line, 1.0f);
}

class WallDrawing : public GlTest {
protected:
  void SetUp() override {
    GlTest::SetUp();
    setWorldProjection();
  }

  // Sorts what the wall draws at (0, 0) into black tops and side faces.
  static WallPicture drawWall(Wall &wall) {
    WallPicture picture;
    for (const FeedbackPolygon &polygon : captureWorldQuads([&] { wall.draw(0.0f, 0.0f); })) {
      if (isBlack(polygon)) {
        ++picture.tops;
        picture.topArea += areaOnGround(polygon);
        for (const FeedbackVertex &vertex : polygon.vertices) {
          picture.topsAtTopHeight = picture.topsAtTopHeight && near(toWorld(vertex).z, 2.5f);
        }
      } else {
        ++picture.sideFaces;
        ++(isOuter(polygon) ? picture.outerFaces : picture.innerFaces);
      }
    }
    return picture;
  }
};

} // namespace

TEST(WallObject, LoadsItsAttributesOnlyAsWallKind) {
  Wall wall(WallKind, true, false, false, true, 10);
  EXPECT_EQ(wall.getName(), "building wall");
  EXPECT_EQ(wall.getKind(), WallKind);
  for (int side = 0; side < 4; ++side) {
    EXPECT_TRUE(wall.blocksSide(side));
  }
  EXPECT_TRUE(wall.isSolid());
  EXPECT_EQ(wall.getOffsetX(), 0.0f);
  EXPECT_EQ(wall.getOffsetY(), 0.0f);
  EXPECT_EQ(wall.getWallTexture(), 10);
  EXPECT_TRUE(wall.getA());
  EXPECT_FALSE(wall.getB());
  EXPECT_FALSE(wall.getC());
  EXPECT_TRUE(wall.getD());

  Wall odd(7, true, true, true, true, 10);
  EXPECT_EQ(odd.getName(), "");
  EXPECT_FALSE(odd.isSolid());
  EXPECT_FALSE(odd.blocksSide(0));

  wall.buildWall(false, true, true, false);
  EXPECT_FALSE(wall.getA());
  EXPECT_TRUE(wall.getB());
  EXPECT_TRUE(wall.getC());
  EXPECT_FALSE(wall.getD());
}

TEST(WallObject, AnswersLookAndUseWithFixedSentences) {
  MessageRecorder recorder;
  Wall wall(WallKind, false, false, false, false, 10);
  wall.onLook();
  wall.onUse();
  wall.onHit(10);
  EXPECT_EQ(recorder.take(), (std::vector<std::string>{"You see a part of building wall.",
                                                       "You can't use a wall."}));
}

TEST_F(WallDrawing, FullBlockHasOuterFacesAndOneTop) {
  Wall wall(WallKind, true, true, true, true, 10);
  const WallPicture picture = drawWall(wall);
  EXPECT_EQ(picture.outerFaces, 8);
  EXPECT_EQ(picture.innerFaces, 0);
  EXPECT_EQ(picture.tops, 1);
  EXPECT_NEAR(picture.topArea, 1.0f, 1e-3);
  EXPECT_TRUE(picture.topsAtTopHeight);
  EXPECT_EQ(currentColour(), (std::vector<float>{1.0f, 1.0f, 1.0f, 1.0f}));
}

TEST_F(WallDrawing, DiagonalShowsItsInnerFacesAndTwoQuarterTops) {
  for (const bool upperLeftToLowerRight : {true, false}) {
    Wall wall(WallKind, upperLeftToLowerRight, !upperLeftToLowerRight, !upperLeftToLowerRight,
              upperLeftToLowerRight, 10);
    const WallPicture picture = drawWall(wall);
    EXPECT_EQ(picture.outerFaces, 4);
    EXPECT_EQ(picture.innerFaces, 4);
    EXPECT_EQ(picture.tops, 2);
    EXPECT_NEAR(picture.topArea, 0.5f, 1e-3);
  }
}

TEST_F(WallDrawing, EmptyPieceDrawsNothingButStillBlocks) {
  MessageRecorder recorder;
  Wall *wall = ObjectStore::make<Wall>(WallKind, false, false, false, false, 10);
  const WallPicture picture = drawWall(*wall);
  EXPECT_EQ(picture.sideFaces, 0);
  EXPECT_EQ(picture.tops, 0);
  EXPECT_EQ(currentColour(), (std::vector<float>{1.0f, 1.0f, 1.0f, 1.0f}));

  Space space(6);
  space.setWall(wall);
  space.update(0.0f);
  for (int side = 0; side < 4; ++side) {
    EXPECT_TRUE(space.isBlocked(side));
  }
  EXPECT_TRUE(space.isOccupied());
  space.look();
  space.use();
  space.hit(10);
  EXPECT_EQ(recorder.take(),
            (std::vector<std::string>{"You see a part of building wall.", "You can't use a wall.",
                                      "You can't attack a wall."}));
}

TEST_F(WallDrawing, TopsCoverExactlyTheFilledQuartersForEveryShape) {
  for (int shape = 0; shape < 16; ++shape) {
    const bool a = (shape & 1) != 0;
    const bool b = (shape & 2) != 0;
    const bool c = (shape & 4) != 0;
    const bool d = (shape & 8) != 0;
    Wall wall(WallKind, a, b, c, d, 10);
    const WallPicture picture = drawWall(wall);
    const int filled = a + b + c + d;
    SCOPED_TRACE(shape);
    EXPECT_NEAR(picture.topArea, 0.25f * static_cast<float>(filled), 1e-3);
    EXPECT_TRUE(picture.topsAtTopHeight);
    EXPECT_EQ(picture.outerFaces, 2 * filled);
    // Each filled quarter has two neighbours across the centre lines.
    const int innerToEmpty = (a && !b) + (a && !c) + (b && !a) + (b && !d) + (c && !a) + (c && !d) +
                             (d && !b) + (d && !c);
    EXPECT_EQ(picture.innerFaces, innerToEmpty);
  }
}
