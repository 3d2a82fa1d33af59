// A channel's min/max band for dygraphs' custom bars, drawn as one outline per run of points: up
// the maxima, back along the minima. dygraphs' own band is a closed quad per pair of points, and a
// decimated channel's quads are column-wide and often the plot's full height, so a software canvas
// crosses thousands of tall edges on every scan line: each draw then cost a quarter of a second.

/* global Dygraph */

const missing = (point) => point.y_top == null || Number.isNaN(point.y_top);

/** The runs of points that have values, split where a value is missing. */
function runs(points) {
  const found = [[]];
  for (const point of points) {
    if (missing(point)) {
      if (found[found.length - 1].length) found.push([]);
    } else {
      found[found.length - 1].push(point);
    }
  }
  return found.filter((run) => run.length);
}

/** One edge of a run, as canvas points; a step plot holds each value until the next point. */
function edge(run, key, area, stepPlot) {
  const y = (point) => area.y + area.h * point[key];
  return run.flatMap((point, i) => (stepPlot && i + 1 < run.length ?
    [[point.canvasx, y(point)], [run[i + 1].canvasx, y(point)]] : [[point.canvasx, y(point)]]));
}

/** dygraphs plotter: the band of e's series in its colour at fillAlpha. */
export function envelopePlotter(e) {
  const { dygraph: g, drawingContext: context, plotArea: area, setName } = e;
  const stepPlot = g.getBooleanOption('stepPlot', setName);
  context.save();
  context.fillStyle = e.color;
  context.globalAlpha = g.getNumericOption('fillAlpha', setName);
  context.beginPath();
  for (const run of runs(e.points)) {
    const outline = [...edge(run, 'y_top', area, stepPlot), ...edge(run, 'y_bottom', area, stepPlot).reverse()];
    outline.forEach(([x, y], i) => (i ? context.lineTo(x, y) : context.moveTo(x, y)));
    context.closePath();
  }
  context.fill();
  context.restore();
}

export const plotters = () => [envelopePlotter, Dygraph.Plotters.linePlotter];
