// Solves an LP file with HiGHS (npm package "highs", WebAssembly) and writes
// its primal values in the layout of HiGHS's --solution_file:
//   node highs_solution.js model.lp solution.sol
// The WebAssembly build returns the solution as an object instead of
// writing files, so this script lays it out as the native program does.
const fs = require('fs');
const path = require('path');

const [lpPath, solutionPath] = process.argv.slice(2);
if (!lpPath || !solutionPath) {
  console.error('usage: node highs_solution.js model.lp solution.sol');
  process.exit(2);
}
require(path.join(__dirname, 'node_modules', 'highs'))().then((highs) => {
  const result = highs.solve(fs.readFileSync(lpPath, 'utf8'), { time_limit: 60 });
  const columns = Object.values(result.Columns).sort((a, b) => a.Index - b.Index);
  const lines = ['Model status', result.Status, '', '# Primal solution values'];
  if (columns.length === 0 || columns[0].Primal === undefined) {
    lines.push('None');
  } else {
    lines.push('Feasible', `Objective ${result.ObjectiveValue}`, `# Columns ${columns.length}`);
    for (const column of columns) lines.push(`${column.Name} ${column.Primal}`);
    lines.push(`# Rows ${result.Rows.length}`);
    for (const row of result.Rows) lines.push(`${row.Name} ${row.Primal}`);
  }
  fs.writeFileSync(solutionPath, lines.join('\n') + '\n');
});
