// The geometry the frame tests compute pictures from: rays, boxes, and the
// two programs' cameras, the letter scene's orthographic one and the
// walk-through's perspective one. A test casts the ray of a pixel through
// the boxes the scene is made of, and from what it meets first tells what
// the pixel must show.
#pragma once

// A ray: the points origin + k * direction.
struct Ray {
    double origin[3];
    double direction[3];
};

// A box with its faces square to the axes, from `low` to `high` on each.
struct Box {
    double low[3];
    double high[3];
};

// Where a ray crosses a box: it has entered all three of the box's slabs at
// k = enter, across the face square to `axis` (entered from its high side
// if the ray runs down that axis), and leaves the first of them at k =
// leave. It meets the box only if enter < leave.
struct BoxCrossing {
    double enter;
    double leave;
    int axis;
    bool meets() const { return enter < leave; }
};
BoxCrossing crossBox(const Ray& ray, const Box& box);

// The ray's point at k in the box's own frame: -1 to 1 across the box on
// each axis.
void boxPoint(const Ray& ray, double k, const Box& box, double local[3]);

// The letter scene's camera: orthographic along the line from `eye` to the
// origin, the view box (viewSize square, stretched over a window of width x
// height pixels) spanned by forward x up and the up vector (0, upSign, 0)
// made square to the line. The ray of a pixel passes through its centre
// along that line.
Ray orthographicRay(const double eye[3], int upSign, double viewSize, int width, int height, double column, double row);

// The walk-through's camera, its 3D view 480 x 400 pixels.
constexpr int VIEW_WIDTH = 480;
constexpr int VIEW_HEIGHT = 400;

// Where the viewer stands and looks; the program starts at the origin of
// the floor plane's x, 5 units in front of the word, looking along -z.
struct Viewer {
    double x = 0.0;
    double height = 0.25; // of the eye, the walking bob included
    double z = 5.0;
    double heading = 0.0; // degrees, turning left is positive
    double tilt = 0.0;    // degrees, positive looks down
};

// A place in the view, in pixels from its top left corner.
struct ViewPoint {
    double x, y;
};

// Where a room point shows in the view: the frame turns the room about the
// vertical by -heading, tilts it by `tilt` about the horizontal, and the
// frustum spans +-2.4 x +-2 at the near distance 2.
ViewPoint viewPixel(const Viewer& viewer, double x, double y, double z);

// The other way: the room points that show at a place in the view lie on
// the ray from the eye; the near plane cuts it at k = 1.
Ray viewRay(const Viewer& viewer, ViewPoint at);
