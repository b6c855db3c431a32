// Solves an LP file with HiGHS (npm package "highs", WebAssembly, as
// installed under tests/solvers) and prints one tab-separated line: model
// status, objective, dual bound, relative gap in percent.
//   node bench/highs_model.js model.lp TIME_LIMIT_SECONDS
// The relative gap tolerance is 0, so "Optimal" means proven optimal.
const fs = require('fs');
const path = require('path');

const [lpPath, limit] = process.argv.slice(2);
if (!lpPath || !limit) {
  console.error('usage: node highs_model.js model.lp TIME_LIMIT_SECONDS');
  process.exit(2);
}
require(path.join(__dirname, '..', 'tests', 'solvers', 'node_modules', 'highs'))().then((highs) => {
  const model = highs.createModel({ format: 'lp', data: fs.readFileSync(lpPath, 'utf8') });
  try {
    model.options.set({ output_flag: false, time_limit: Number(limit), mip_rel_gap: 0 });
    model.run();
    const status = model.getModelStatus();
    const name = Object.keys(highs.constants.modelStatus).find((key) => highs.constants.modelStatus[key] === status);
    // Without a feasible solution the objective value means nothing.
    const found = Number(model.info.get('primal_solution_status')) === 2;
    const objective = found ? model.getObjectiveValue() : '';
    const bound = model.info.get('mip_dual_bound');
    const gap = model.info.get('mip_gap');
    console.log([name, objective, bound, Number(gap) * 100].join('\t'));
  } finally {
    model.dispose();
  }
});
