#pragma once

// Route glue of the flight window that other parts of the window call (implemented in
// frmGPSmain_route.cpp). A database failure is thrown (DbError) to the caller's guard.

namespace tv {

class frmGPSmain;
class RouteGridModel;

// Once, after the controls exist: gives the waypoint grid its model, headers and column widths
// and connects the pilot's row and header clicks to the grid handlers.
void setUpRouteGrid(frmGPSmain& w);

// Shows the rows of the chosen route's points in the grid (drops the highlighted rows, which
// belonged to the rows shown before) and puts the grid's current row on the set's current row.
void bindRouteGrid(frmGPSmain& w);

// The route refill of every activation: requeries the routes, refills the route box (each
// entry carries its RouteID), reselects the route shown before (by its key; by the name in
// tRoute when the box was empty, as after the start), reopens its points and puts back the
// target point (by PointID). Without a fix the aircraft moves to the route's first point.
// With no routes at all the box is emptied and the grid shows an empty set.
void refillRoutes(frmGPSmain& w);

// The grid model (null before setUpRouteGrid).
RouteGridModel* routeGridModel(frmGPSmain& w);

} // namespace tv
