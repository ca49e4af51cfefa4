// Laying out the map in three passes. The grid first: from each room not yet
// placed, its neighbours by the exits go on the cells the directions name, as
// long as the cell is free, and so on outwards; the rooms placed so form one
// rigid piece. Then Graphviz's dot places the pieces that exits join, each as
// one box, so that they do not overlap and their exits cross little. Last,
// the groups of pieces that no exit joins are packed in rows, the group of
// room 0 first. The lines of the exits follow from where the rooms are.
#include "editor/map_layout.h"

#include <gvc.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

// The dot layout, linked in rather than found at run time in the
// configuration of the installed plugins.
extern "C" gvplugin_library_t gvplugin_dot_layout_LTX_library;

namespace {

// Where each direction leads on the grid, in columns and rows: up to the upper
// right, down to the lower left.
constexpr int64_t columnStep[DirectionCount] = {0, 0, 1, -1, 1, -1};
constexpr int64_t rowStep[DirectionCount] = {-1, 1, 0, 0, -1, 1};

constexpr int64_t GapWidth = MapColumnPitch - MapBoxWidth;
constexpr int64_t GapHeight = MapRowPitch - MapBoxHeight;

// A piece of the map that the grid holds together: its extent in cells, and
// where its top-left corner goes (pixels, from the map's margin).
struct Piece {
    int64_t firstColumn = 0;
    int64_t lastColumn = 0;
    int64_t firstRow = 0;
    int64_t lastRow = 0;
    int64_t x = 0;
    int64_t y = 0;
};

int64_t pieceWidth(const Piece& piece) {
    return (piece.lastColumn - piece.firstColumn) * MapColumnPitch + MapBoxWidth;
}
int64_t pieceHeight(const Piece& piece) {
    return (piece.lastRow - piece.firstRow) * MapRowPitch + MapBoxHeight;
}

struct Grid {
    int64_t pieceOf[MapRoomCount];
    int64_t column[MapRoomCount];
    int64_t row[MapRoomCount];
    std::vector<Piece> pieces;
};

// The exits of the adventure and the rooms they show.
void collectRoomsAndExits(const Adventure& source, AdventureMap& map) {
    map.exitCount = 0;
    for (int room = 0; room < MapRoomCount; ++room) {
        map.rooms[room] = {};
        map.rooms[room].hasText = !source.roomTexts[room].empty();
        map.rooms[room].shown = map.rooms[room].hasText;
    }
    for (int room = 0; room < MapRoomCount; ++room) {
        for (int direction = 0; direction < DirectionCount; ++direction) {
            const int64_t to = source.exits[room][direction];
            if (to < 0 || to >= MapRoomCount) continue;
            MapExit& exit = map.exits[map.exitCount++];
            exit = {};
            exit.from = room;
            exit.to = to;
            exit.direction = direction;
            map.rooms[room].shown = true;
            map.rooms[to].shown = true;
        }
    }
}

int64_t cellKey(int64_t column, int64_t row) {
    // A piece holds at most every room, so its cells lie within 253 steps of
    // its first room either way.
    return (column + 512) * 1024 + (row + 512);
}

// Every shown room on a cell of a piece. A piece grows from its first room
// along its exits, leaving ones first, then those that reach it; a room whose
// cell is taken waits for another way in, or starts a piece of its own.
void placeOnGrid(const AdventureMap& map, Grid& grid) {
    std::vector<std::vector<int64_t>> touching(MapRoomCount);
    for (int64_t e = 0; e < map.exitCount; ++e) touching[map.exits[e].from].push_back(e);
    for (int64_t e = 0; e < map.exitCount; ++e) {
        if (map.exits[e].to != map.exits[e].from) touching[map.exits[e].to].push_back(e);
    }
    std::fill(std::begin(grid.pieceOf), std::end(grid.pieceOf), -1);
    std::unordered_set<int64_t> taken;
    std::vector<int64_t> queue;
    for (int64_t first = 0; first < MapRoomCount; ++first) {
        if (!map.rooms[first].shown || grid.pieceOf[first] >= 0) continue;
        const int64_t piece = static_cast<int64_t>(grid.pieces.size());
        grid.pieces.push_back({});
        Piece& extent = grid.pieces.back();
        taken.clear();
        queue.clear();
        auto put = [&](int64_t room, int64_t column, int64_t row) {
            grid.pieceOf[room] = piece;
            grid.column[room] = column;
            grid.row[room] = row;
            taken.insert(cellKey(column, row));
            queue.push_back(room);
            extent.firstColumn = std::min(extent.firstColumn, column);
            extent.lastColumn = std::max(extent.lastColumn, column);
            extent.firstRow = std::min(extent.firstRow, row);
            extent.lastRow = std::max(extent.lastRow, row);
        };
        put(first, 0, 0);
        for (size_t next = 0; next < queue.size(); ++next) {
            const int64_t room = queue[next];
            for (const int64_t e : touching[room]) {
                const MapExit& exit = map.exits[e];
                const bool leaves = exit.from == room;
                const int64_t other = leaves ? exit.to : exit.from;
                if (other == room || grid.pieceOf[other] >= 0) continue;
                const int64_t sense = leaves ? 1 : -1;
                const int64_t column = grid.column[room] + sense * columnStep[exit.direction];
                const int64_t row = grid.row[room] + sense * rowStep[exit.direction];
                if (taken.count(cellKey(column, row)) == 0) put(other, column, row);
            }
        }
    }
}

// Two pieces that an exit joins, the first one's rows up to the second (the
// row step of the exit as seen from the first), and whether the link belongs
// to the tree that joins a group of pieces.
struct Link {
    int64_t from;
    int64_t to;
    int64_t rise;
    bool inTree;
};

int64_t rootOf(std::vector<int64_t>& parent, int64_t piece) {
    while (parent[piece] != piece) piece = parent[piece] = parent[parent[piece]];
    return piece;
}

// One link per pair of pieces that exits join, the first exit's; and the tree
// of each group of pieces they join, the earliest links first.
std::vector<Link> linksBetweenPieces(const AdventureMap& map, const Grid& grid, std::vector<int64_t>& groupOf) {
    std::vector<Link> links;
    std::set<std::pair<int64_t, int64_t>> joined;
    const int64_t pieceCount = static_cast<int64_t>(grid.pieces.size());
    groupOf.resize(pieceCount);
    for (int64_t piece = 0; piece < pieceCount; ++piece) groupOf[piece] = piece;
    for (int64_t e = 0; e < map.exitCount; ++e) {
        const MapExit& exit = map.exits[e];
        const int64_t from = grid.pieceOf[exit.from];
        const int64_t to = grid.pieceOf[exit.to];
        if (from == to || !joined.insert({std::min(from, to), std::max(from, to)}).second) continue;
        const int64_t fromRoot = rootOf(groupOf, from);
        const int64_t toRoot = rootOf(groupOf, to);
        const bool inTree = fromRoot != toRoot;
        // The group is named by its earliest piece, which holds its lowest room.
        if (inTree) groupOf[std::max(fromRoot, toRoot)] = std::min(fromRoot, toRoot);
        links.push_back({from, to, rowStep[exit.direction], inTree});
    }
    for (int64_t piece = 0; piece < pieceCount; ++piece) groupOf[piece] = rootOf(groupOf, piece);
    return links;
}

// Graphviz takes sizes in inches of 72 points, a point being a pixel here;
// written without the locale's decimal sign.
std::string inches(int64_t pixels) {
    const int64_t tenThousandths = pixels * 10000 / 72;
    std::string written = std::to_string(tenThousandths / 10000);
    written += '.';
    written += std::to_string(10000 + tenThousandths % 10000).substr(1);
    return written;
}

void setAttribute(void* object, const char* name, const std::string& value) {
    agsafeset(object, const_cast<char*>(name), const_cast<char*>(value.c_str()), const_cast<char*>(""));
}

// A hostile file may join 253 pieces with 1500 exits, which dot would take
// minutes over: it gets the tree that joins the group and as many other links
// again, and past this many links it orders each rank in fewer passes.
constexpr size_t LinksForFullPasses = 120;

// Places the pieces of one group with dot: each piece a box of its size, each
// link an edge. The edge goes from the piece above to the piece below, as far
// as the tree's rows tell, which also keeps dot from reversing edges of
// cycles; a link with no rows between the pieces does not rank them. False
// when Graphviz fails.
bool placeGroupWithDot(GVC_t* context, const std::vector<int64_t>& members, const std::vector<const Link*>& links,
                       std::vector<Piece>& pieces, const std::vector<int64_t>& depth) {
    Agraph_t* graph = agopen(const_cast<char*>("carte"), Agdirected, nullptr);
    if (graph == nullptr) return false;
    const bool quick = links.size() > LinksForFullPasses;
    setAttribute(graph, "nodesep", inches(GapWidth));
    setAttribute(graph, "ranksep", inches(GapHeight));
    setAttribute(graph, "splines", "false");
    setAttribute(graph, "mclimit", quick ? "0.1" : "1");
    setAttribute(graph, "nslimit", quick ? "1" : "10");
    setAttribute(graph, "nslimit1", quick ? "1" : "10");
    setAttribute(graph, "searchsize", quick ? "1" : "30");
    std::vector<Agnode_t*> nodeOf(pieces.size(), nullptr);
    for (const int64_t piece : members) {
        std::string name = std::to_string(piece);
        Agnode_t* node = agnode(graph, name.data(), 1);
        setAttribute(node, "shape", "box");
        setAttribute(node, "fixedsize", "true");
        setAttribute(node, "label", "");
        setAttribute(node, "width", inches(pieceWidth(pieces[piece])));
        setAttribute(node, "height", inches(pieceHeight(pieces[piece])));
        nodeOf[piece] = node;
    }
    for (const Link* link : links) {
        const bool fromAbove = std::make_pair(depth[link->from], link->from) < std::make_pair(depth[link->to], link->to);
        const int64_t upper = fromAbove ? link->from : link->to;
        const int64_t lower = fromAbove ? link->to : link->from;
        Agedge_t* edge = agedge(graph, nodeOf[upper], nodeOf[lower], nullptr, 1);
        if (edge != nullptr && depth[upper] == depth[lower]) setAttribute(edge, "constraint", "false");
    }
    const bool placed = gvLayout(context, graph, "dot") == 0;
    if (placed) {
        for (const int64_t piece : members) {
            const pointf centre = ND_coord(nodeOf[piece]);
            // Graphviz's y grows upwards.
            pieces[piece].x = std::llround(centre.x) - pieceWidth(pieces[piece]) / 2;
            pieces[piece].y = -std::llround(centre.y) - pieceHeight(pieces[piece]) / 2;
        }
        gvFreeLayout(context, graph);
    }
    agclose(graph);
    return placed;
}

// The pieces of one group side by side, when Graphviz cannot place them.
void placeGroupInARow(const std::vector<int64_t>& members, std::vector<Piece>& pieces) {
    int64_t x = 0;
    for (const int64_t piece : members) {
        pieces[piece].x = x;
        pieces[piece].y = 0;
        x += pieceWidth(pieces[piece]) + GapWidth;
    }
}

struct Group {
    std::vector<int64_t> members;
    std::vector<const Link*> links;
    int64_t width = 0;
    int64_t height = 0;
};

// The rows between pieces of a group along the tree of its links, from its
// first piece.
std::vector<int64_t> depthsAlongTrees(const std::vector<Link>& links, size_t pieceCount) {
    std::vector<std::vector<const Link*>> treeLinks(pieceCount);
    for (const Link& link : links) {
        if (!link.inTree) continue;
        treeLinks[link.from].push_back(&link);
        treeLinks[link.to].push_back(&link);
    }
    std::vector<int64_t> depth(pieceCount, 0);
    std::vector<bool> reached(pieceCount, false);
    std::vector<int64_t> queue;
    for (size_t first = 0; first < pieceCount; ++first) {
        if (reached[first]) continue;
        reached[first] = true;
        queue.assign(1, static_cast<int64_t>(first));
        for (size_t next = 0; next < queue.size(); ++next) {
            const int64_t piece = queue[next];
            for (const Link* link : treeLinks[piece]) {
                const bool forward = link->from == piece;
                const int64_t other = forward ? link->to : link->from;
                if (reached[other]) continue;
                reached[other] = true;
                depth[other] = depth[piece] + (forward ? link->rise : -link->rise);
                queue.push_back(other);
            }
        }
    }
    return depth;
}

// Places the pieces within each group (their corners from the group's
// top-left), then the groups in rows about as wide as the map is high.
void placePieces(const AdventureMap& map, Grid& grid) {
    std::vector<int64_t> groupOf;
    const std::vector<Link> links = linksBetweenPieces(map, grid, groupOf);
    const size_t pieceCount = grid.pieces.size();
    std::vector<Group> groups(pieceCount);
    for (size_t piece = 0; piece < pieceCount; ++piece) groups[groupOf[piece]].members.push_back(piece);
    for (const Link& link : links) {
        Group& group = groups[groupOf[link.from]];
        if (link.inTree) group.links.push_back(&link);
    }
    for (const Link& link : links) {
        Group& group = groups[groupOf[link.from]];
        if (!link.inTree && group.links.size() < 2 * group.members.size()) group.links.push_back(&link);
    }
    const std::vector<int64_t> depth = depthsAlongTrees(links, pieceCount);

    GVC_t* context = nullptr;
    int64_t area = 0;
    int64_t widest = 0;
    for (Group& group : groups) {
        if (group.members.empty()) continue;
        if (group.members.size() > 1) {
            static const lt_symlist_t builtins[] = {
                {"gvplugin_dot_layout_LTX_library", &gvplugin_dot_layout_LTX_library}, {nullptr, nullptr}};
            if (context == nullptr) {
                agseterr(AGMAX);  // Graphviz's warnings are not the author's business
                context = gvContextPlugins(builtins, 0);
            }
            if (context == nullptr || !placeGroupWithDot(context, group.members, group.links, grid.pieces, depth)) {
                placeGroupInARow(group.members, grid.pieces);
            }
        }
        // The group's own corner at (0, 0).
        int64_t left = grid.pieces[group.members[0]].x, top = grid.pieces[group.members[0]].y;
        for (const int64_t piece : group.members) {
            left = std::min(left, grid.pieces[piece].x);
            top = std::min(top, grid.pieces[piece].y);
        }
        for (const int64_t piece : group.members) {
            Piece& placed = grid.pieces[piece];
            placed.x -= left;
            placed.y -= top;
            group.width = std::max(group.width, placed.x + pieceWidth(placed));
            group.height = std::max(group.height, placed.y + pieceHeight(placed));
        }
        area += (group.width + GapWidth) * (group.height + GapHeight);
        widest = std::max(widest, group.width);
    }
    if (context != nullptr) gvFreeContext(context);

    // Rows of groups, in the order of their first rooms.
    const int64_t rowWidth = std::max(widest, static_cast<int64_t>(std::sqrt(static_cast<double>(area) * 1.6)));
    int64_t x = 0, y = 0, rowHeight = 0;
    for (const Group& group : groups) {
        if (group.members.empty()) continue;
        if (x > 0 && x + group.width > rowWidth) {
            x = 0;
            y += rowHeight + GapHeight;
            rowHeight = 0;
        }
        for (const int64_t piece : group.members) {
            grid.pieces[piece].x += x;
            grid.pieces[piece].y += y;
        }
        x += group.width + GapWidth;
        rowHeight = std::max(rowHeight, group.height);
    }
}

// How far from its centre along (dx, dy) a ray leaves a room's box.
double borderDistance(double dx, double dy) {
    const double alongX = dx != 0 ? (MapBoxWidth / 2.0) / std::fabs(dx) : 1e18;
    const double alongY = dy != 0 ? (MapBoxHeight / 2.0) / std::fabs(dy) : 1e18;
    return std::min(alongX, alongY);
}

constexpr double OwnExitLength = 20;  // the stroke of an exit to its own room
constexpr double ArrowLength = 10;
constexpr double ArrowHalfWidth = 5;
constexpr double LabelDistance = 24;  // from the border, along the line
constexpr int64_t LabelLineHeight = 16;

// The line, arrowhead and label of an exit; `earlier` exits of the same room
// lead to the same room, whose labels this one's goes below.
void drawExit(const AdventureMap& map, const Adventure& source, MapExit& exit, int64_t earlier) {
    const MapRoom& from = map.rooms[exit.from];
    const MapRoom& to = map.rooms[exit.to];
    const double fromX = from.x + MapBoxWidth / 2.0, fromY = from.y + MapBoxHeight / 2.0;
    double dx = static_cast<double>(to.x - from.x), dy = static_cast<double>(to.y - from.y);
    double startX = fromX, startY = fromY, endX = 0, endY = 0;
    if (exit.from == exit.to) {
        dx = static_cast<double>(columnStep[exit.direction]);
        dy = static_cast<double>(rowStep[exit.direction]);
        const double border = borderDistance(dx, dy), length = std::hypot(dx, dy);
        startX += dx * border;
        startY += dy * border;
        endX = startX + dx / length * OwnExitLength;
        endY = startY + dy / length * OwnExitLength;
    } else {
        const double border = borderDistance(dx, dy);
        startX += dx * border;
        startY += dy * border;
        endX = to.x + MapBoxWidth / 2.0 - dx * border;
        endY = to.y + MapBoxHeight / 2.0 - dy * border;
    }
    const double length = std::max(std::hypot(dx, dy), 1e-9);
    const double alongX = dx / length, alongY = dy / length;
    // Across the line, to its left as it leaves the room.
    const double acrossX = alongY, acrossY = -alongX;
    exit.x1 = std::llround(startX);
    exit.y1 = std::llround(startY);
    exit.x2 = std::llround(endX);
    exit.y2 = std::llround(endY);

    bool comesBack = false;
    for (int direction = 0; direction < DirectionCount; ++direction) {
        comesBack = comesBack || source.exits[exit.to][direction] == exit.from;
    }
    exit.oneWay = !comesBack;
    for (int side = 0; side < 2; ++side) {
        const double sign = side == 0 ? 1 : -1;
        exit.arrowX[side] = std::llround(endX - alongX * ArrowLength + sign * acrossX * ArrowHalfWidth);
        exit.arrowY[side] = std::llround(endY - alongY * ArrowLength + sign * acrossY * ArrowHalfWidth);
    }

    // North, south, east and west show by themselves when the room reached is
    // the next one that way; up and down, on the diagonals, are always named.
    const bool besideThatWay = exit.direction < 4 && exit.from != exit.to &&
                               to.x == from.x + columnStep[exit.direction] * MapColumnPitch &&
                               to.y == from.y + rowStep[exit.direction] * MapRowPitch;
    exit.labelled = !besideThatWay;
    // A name is wider than it is high: it keeps further from an upright line.
    if (exit.from == exit.to) {
        exit.labelX = std::llround(endX + alongX * 22);
        exit.labelY = std::llround(endY + alongY * 12);
    } else {
        exit.labelX = std::llround(startX + alongX * LabelDistance + acrossX * 26);
        exit.labelY = std::llround(startY + alongY * LabelDistance + acrossY * 12);
    }
    exit.labelY += earlier * LabelLineHeight;
}

}  // namespace

void layOutMap(const Adventure& source, AdventureMap& map) {
    collectRoomsAndExits(source, map);
    Grid grid;
    placeOnGrid(map, grid);
    placePieces(map, grid);

    map.width = 2 * MapMargin;
    map.height = 2 * MapMargin;
    for (int room = 0; room < MapRoomCount; ++room) {
        MapRoom& placed = map.rooms[room];
        if (!placed.shown) continue;
        const Piece& piece = grid.pieces[grid.pieceOf[room]];
        placed.x = MapMargin + piece.x + (grid.column[room] - piece.firstColumn) * MapColumnPitch;
        placed.y = MapMargin + piece.y + (grid.row[room] - piece.firstRow) * MapRowPitch;
        map.width = std::max(map.width, placed.x + MapBoxWidth + MapMargin);
        map.height = std::max(map.height, placed.y + MapBoxHeight + MapMargin);
    }
    for (int64_t e = 0; e < map.exitCount; ++e) {
        int64_t earlier = 0;
        for (int64_t before = e - 1; before >= 0 && map.exits[before].from == map.exits[e].from; --before) {
            earlier += map.exits[before].to == map.exits[e].to ? 1 : 0;
        }
        drawExit(map, source, map.exits[e], earlier);
    }
}

int64_t mapRoomAt(const AdventureMap& map, int64_t x, int64_t y) {
    for (int room = 0; room < MapRoomCount; ++room) {
        const MapRoom& placed = map.rooms[room];
        if (placed.shown && x >= placed.x && x < placed.x + MapBoxWidth && y >= placed.y &&
            y < placed.y + MapBoxHeight) {
            return room;
        }
    }
    return -1;
}
