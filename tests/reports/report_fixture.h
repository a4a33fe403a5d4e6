// A small solved system filled by hand: a water supply, a plain node and two heads on three pipes.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/calc_engine.h"
#include "input/zub_file.h"
#include "materials/materials.h"
#include "reports/report_context.h"
#include "reports/report_options.h"

namespace pelmora {

class ReportFixture : public ::testing::Test {
 protected:
  TCalcEngine Engine;
  TZubFile Project;
  TMaterials Database;
  TReportOptions Options;
  std::vector<TEquivKCalculation> EquivK;

  TReportContext Context() const { return {Engine, Project, Database, Options, EquivK, "2025-01-15"}; }

  void SetUp() override {
    Database.LoadFromLines(
        {"2 0", "MATERIAL S40 120 100 0.0018 0.045 Schedule 40 Steel", "ID US 1 1.049 4 4.026",
         "FIT E Standard 90 degree elbow", "FIT T Tee or cross, flow turned 90 degrees", "FIT LE Long radius elbow",
         "FIT G Gate valve", "MATERIAL CPVC 150 150 0.00006 0.0015 CPVC sprinkler pipe", "ID US 1 1.101",
         "FIT E CPVC 90 degree elbow"},
        false);
    Engine.FMaterials = &Database;
    FillProject();
    FillEngine(Engine);
  }

  static TNode* AddNode(TCalcEngine& engine, const std::string& name, TNodeKind kind, double elevation,
                        double pressure, double flow) {
    auto node = std::make_unique<TNode>();
    node->Name = name;
    node->Kind = kind;
    node->Elevation = elevation;
    node->Pressure = pressure;
    node->Flow = flow;
    TNode* added = node.get();
    EXPECT_TRUE(engine.AddNode(std::move(node)));
    return added;
  }

  static TNode* AddHead(TCalcEngine& engine, const std::string& name, double elevation, double pressure, double flow) {
    TNode* head = AddNode(engine, name, nkHead, elevation, pressure, flow);
    head->KFactor = 5.6;
    head->MinFlow = 25;
    head->Density = 8.15;  // mm/min, about 0.20 gpm/sq.ft
    return head;
  }

  struct PipeValues {
    double Length, NominalSize, InsideDiameter;
    std::vector<std::string> Fittings;
    std::vector<double> FittingLengths;
    double Flow, Velocity, VelocityPressure, FrictionLoss, ElevationLoss;
  };

  static TPipe* AddPipe(TCalcEngine& engine, const std::string& name, TNode* from, TNode* to, const PipeValues& v) {
    auto pipe = std::make_unique<TPipe>();
    pipe->Name = name;
    pipe->FromName = from->Name;
    pipe->ToName = to->Name;
    pipe->FromNode = from;
    pipe->ToNode = to;
    pipe->Length = v.Length;
    pipe->NominalSize = v.NominalSize;
    pipe->Material = "S40";
    pipe->CFactor = 120;
    pipe->Fittings = v.Fittings;
    pipe->FittingLengths = v.FittingLengths;
    pipe->FittingKs.assign(v.Fittings.size(), 0);
    for (double length : v.FittingLengths) pipe->FittingLength += length;
    pipe->TotalLength = pipe->Length + pipe->FittingLength;
    pipe->Flow = v.Flow;
    pipe->Velocity = v.Velocity;
    pipe->VelocityPressure = v.VelocityPressure;
    pipe->FrictionLoss = v.FrictionLoss;
    pipe->ElevationLoss = v.ElevationLoss;
    pipe->TotalLoss = v.FrictionLoss + v.ElevationLoss;
    TPipe* added = pipe.get();
    EXPECT_TRUE(engine.AddPipe(std::move(pipe)));
    added->InsideDiameter = v.InsideDiameter;
    return added;
  }

  // Pressures follow the pipes: W 37.9254 = A 33.2142 + 0.38123 + 4.33, and so on.
  static void FillEngine(TCalcEngine& engine) {
    engine.SetUnits(DefaultUnits());
    TNode* w = AddNode(engine, "W", nkWater, 0, 37.9254, -58.6);
    TNode* a = AddNode(engine, "A", nkNode, 10, 33.2142, 0);
    TNode* h1 = AddHead(engine, "H1", 12, 28.7, 30.0);
    TNode* h2 = AddHead(engine, "H2", 12, 26.0830, 28.6);
    h2->Comment = "Far end head at the wall";
    auto supply = std::make_unique<TSpecial>();
    supply->Name = "Water Source";
    supply->Kind = skWater;
    supply->Owner = w;
    supply->Flows = {0, 500};
    supply->Pressures = {60, 50};
    w->Supply = engine.AddSpecial(std::move(supply));
    AddPipe(engine, "P1", w, a, {100, 4, 4.026, {"E", "T"}, {10, 20}, 58.6, 1.4769, 0.01468, 0.38123, 4.33});
    AddPipe(engine, "P2", a, h1,
            {12.5, 1, 1.049, {"2E", "T", "LE", "G"}, {4, 5, 2, 1}, 30.0, 11.137, 0.8351, 3.6482, 0.866});
    AddPipe(engine, "P3", a, h2, {15.25, 1, 1.049, {}, {}, 28.6, 10.617, 0.7589, 6.2652, 0.866});
    engine.FSourceFlow = 58.6;
    engine.FRequiredPressure = 37.9254;
    engine.FSupplyPressure = 59.811;
    engine.FMargin = 21.8856;
    engine.FMaxVelocity = 11.137;
    engine.FSprinklerCount = 2;
    engine.FCalcDone = true;
    engine.FCalcOK = true;
  }

  void FillProject() {
    Project.Project = {"Warehouse 7", "12 Harbour Road"};
    Project.SystemInfo[siDrawingNumber] = "FP-101";
    Project.SystemInfo[siRemoteAreaNumber] = "1";
    Project.SystemInfo[siRemoteAreaLocation] = "North bay";
    Project.SystemInfo[siOccupancy] = "Ordinary Hazard Group 2";
    Project.SystemInfo[siDensity] = "0.20 gpm/sq.ft";
    Project.SystemInfo[siRemoteArea] = "1500 sq.ft";
    Project.SystemInfo[siHeadArea] = "130 sq.ft";
    Project.Head = {"Acme K5.6 155F"};
    Project.SystemInfo[siOutsideHose] = "250 gpm";
    Project.SystemInfo[siSystemType] = "Wet";
    Project.SystemInfo[siFlowTestDate] = "2024-11-02";
    Project.SystemInfo[siFlowTestLocation] = "Hydrant H-3";
    Project.SystemInfo[siFlowTestSource] = "City main";
    Project.DesignerOR = {"J. Smith"};
    Project.AHJ = {"City Fire Marshal"};
    Project.Notes = {"Storage of cartoned goods up to 12 ft high in double-row racks with solid shelves and in-rack "
                     "sprinklers at every level"};
    Options.Company = {"Harbour Fire Ltd"};
    Options.Designer = {"Someone Else"};
  }
};

}  // namespace pelmora
