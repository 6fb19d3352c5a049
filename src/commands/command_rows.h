#pragma once
// Fills the walkers' dispatch tables (model/command_table.h) with the commands of this folder
// and the model's selection commands. Called at start-up with the rebuild table's builders.
void RegisterCommandRows();
