#pragma once
// Hands the document model its palette list, undo start and undo folder
// (model/document_file_hooks.h). Called at start-up with the other tables.
void RegisterDocumentFileHooks();
