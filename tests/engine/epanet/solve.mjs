// Solves an EPANET input file with epanet-js and prints node and link results as JSON.
import { Project, Workspace, CountType, NodeProperty, LinkProperty } from "epanet-js";
import fs from "fs";

const [inputPath] = process.argv.slice(2);
const ws = new Workspace();
await ws.loadModule();
const model = new Project(ws);
ws.writeFile("network.inp", fs.readFileSync(inputPath));
model.open("network.inp", "report.rpt", "out.bin");
model.solveH();

const nodes = {};
for (let i = 1; i <= model.getCount(CountType.NodeCount); i++) {
  nodes[model.getNodeId(i)] = {
    pressure: model.getNodeValue(i, NodeProperty.Pressure),
    demand: model.getNodeValue(i, NodeProperty.Demand),
  };
}
const links = {};
for (let i = 1; i <= model.getCount(CountType.LinkCount); i++) {
  links[model.getLinkId(i)] = { flow: model.getLinkValue(i, LinkProperty.Flow) };
}
model.close();
console.log(JSON.stringify({ nodes, links }));
