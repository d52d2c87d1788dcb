-- The infrared codes the console's IR pad offers: a few appliances of our
-- own making, for trying the pad. The codes are invented; no real
-- appliance answers them. Built into ZEZOControlTable.db beside the console
-- at build time (resources/CMakeLists.txt).
--
-- One row per key of one appliance. CtrlID names the appliance as
-- Manufacturer_Kind_Model_Variant (the pad shows the model); KeyValue is one
-- of the pad's 50 keys (Power, AV/TV, Mute, Number0 ... Number9, StarDot,
-- Char#, Channel+, Channel-, Volume+, Volume-, LastProgram, NextProgram,
-- FastForward, FastReward, Play, Pause, Stop, Rewind, ArrowUp, ArrowDown,
-- ArrowLeft, ArrowRight, Enter, Return, Menu, FunctionRed, FunctionGreen,
-- FunctionYellow, FunctionBlue, Record, Input, Guide, Location, Output,
-- Setup, Cancel, CC, VolumeChannel, VideoSource, Title, Subtitle). IDCode
-- names the appliance's code set, OperateCode the key within it,
-- FrequenceCode is the carrier in Hz and ExecuteCode the code's bytes:
-- address low, address high, command, inverted command.

CREATE TABLE ControlTable (
    CtrlID TEXT NOT NULL,
    KeyValue TEXT NOT NULL,
    IDCode INTEGER NOT NULL,
    OperateCode INTEGER NOT NULL,
    FrequenceCode INTEGER NOT NULL,
    ExecuteCode BLOB NOT NULL
);

-- Lumo LT55 television
INSERT INTO ControlTable VALUES ('Lumo_TV_LT55_A', 'Power', 19541, 1, 38000, X'554C10EF');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT55_A', 'AV/TV', 19541, 2, 38000, X'554C13EC');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT55_A', 'Mute', 19541, 3, 38000, X'554C16E9');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT55_A', 'Number0', 19541, 4, 38000, X'554C19E6');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT55_A', 'Number1', 19541, 5, 38000, X'554C1CE3');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT55_A', 'Number2', 19541, 6, 38000, X'554C1FE0');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT55_A', 'Number3', 19541, 7, 38000, X'554C22DD');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT55_A', 'Number4', 19541, 8, 38000, X'554C25DA');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT55_A', 'Number5', 19541, 9, 38000, X'554C28D7');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT55_A', 'Number6', 19541, 10, 38000, X'554C2BD4');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT55_A', 'Number7', 19541, 11, 38000, X'554C2ED1');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT55_A', 'Number8', 19541, 12, 38000, X'554C31CE');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT55_A', 'Number9', 19541, 13, 38000, X'554C34CB');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT55_A', 'Channel+', 19541, 14, 38000, X'554C37C8');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT55_A', 'Channel-', 19541, 15, 38000, X'554C3AC5');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT55_A', 'Volume+', 19541, 16, 38000, X'554C3DC2');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT55_A', 'Volume-', 19541, 17, 38000, X'554C40BF');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT55_A', 'Menu', 19541, 18, 38000, X'554C43BC');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT55_A', 'ArrowUp', 19541, 19, 38000, X'554C46B9');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT55_A', 'ArrowDown', 19541, 20, 38000, X'554C49B6');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT55_A', 'ArrowLeft', 19541, 21, 38000, X'554C4CB3');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT55_A', 'ArrowRight', 19541, 22, 38000, X'554C4FB0');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT55_A', 'Enter', 19541, 23, 38000, X'554C52AD');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT55_A', 'Return', 19541, 24, 38000, X'554C55AA');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT55_A', 'Input', 19541, 25, 38000, X'554C58A7');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT55_A', 'Guide', 19541, 26, 38000, X'554C5BA4');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT55_A', 'Setup', 19541, 27, 38000, X'554C5EA1');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT55_A', 'CC', 19541, 28, 38000, X'554C619E');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT55_A', 'FunctionRed', 19541, 29, 38000, X'554C649B');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT55_A', 'FunctionGreen', 19541, 30, 38000, X'554C6798');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT55_A', 'FunctionYellow', 19541, 31, 38000, X'554C6A95');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT55_A', 'FunctionBlue', 19541, 32, 38000, X'554C6D92');

-- Lumo LT43 television
INSERT INTO ControlTable VALUES ('Lumo_TV_LT43_B', 'Power', 19523, 1, 38000, X'434C10EF');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT43_B', 'Mute', 19523, 2, 38000, X'434C13EC');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT43_B', 'Volume+', 19523, 3, 38000, X'434C16E9');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT43_B', 'Volume-', 19523, 4, 38000, X'434C19E6');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT43_B', 'Channel+', 19523, 5, 38000, X'434C1CE3');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT43_B', 'Channel-', 19523, 6, 38000, X'434C1FE0');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT43_B', 'Number0', 19523, 7, 38000, X'434C22DD');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT43_B', 'Number1', 19523, 8, 38000, X'434C25DA');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT43_B', 'Number2', 19523, 9, 38000, X'434C28D7');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT43_B', 'Number3', 19523, 10, 38000, X'434C2BD4');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT43_B', 'Number4', 19523, 11, 38000, X'434C2ED1');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT43_B', 'Number5', 19523, 12, 38000, X'434C31CE');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT43_B', 'Number6', 19523, 13, 38000, X'434C34CB');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT43_B', 'Number7', 19523, 14, 38000, X'434C37C8');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT43_B', 'Number8', 19523, 15, 38000, X'434C3AC5');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT43_B', 'Number9', 19523, 16, 38000, X'434C3DC2');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT43_B', 'Input', 19523, 17, 38000, X'434C40BF');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT43_B', 'Menu', 19523, 18, 38000, X'434C43BC');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT43_B', 'ArrowUp', 19523, 19, 38000, X'434C46B9');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT43_B', 'ArrowDown', 19523, 20, 38000, X'434C49B6');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT43_B', 'ArrowLeft', 19523, 21, 38000, X'434C4CB3');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT43_B', 'ArrowRight', 19523, 22, 38000, X'434C4FB0');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT43_B', 'Enter', 19523, 23, 38000, X'434C52AD');
INSERT INTO ControlTable VALUES ('Lumo_TV_LT43_B', 'Return', 19523, 24, 38000, X'434C55AA');

-- Vesta VP20 projector
INSERT INTO ControlTable VALUES ('Vesta_Projector_VP20_A', 'Power', 22096, 1, 36000, X'505610EF');
INSERT INTO ControlTable VALUES ('Vesta_Projector_VP20_A', 'Input', 22096, 2, 36000, X'505613EC');
INSERT INTO ControlTable VALUES ('Vesta_Projector_VP20_A', 'VideoSource', 22096, 3, 36000, X'505616E9');
INSERT INTO ControlTable VALUES ('Vesta_Projector_VP20_A', 'Menu', 22096, 4, 36000, X'505619E6');
INSERT INTO ControlTable VALUES ('Vesta_Projector_VP20_A', 'ArrowUp', 22096, 5, 36000, X'50561CE3');
INSERT INTO ControlTable VALUES ('Vesta_Projector_VP20_A', 'ArrowDown', 22096, 6, 36000, X'50561FE0');
INSERT INTO ControlTable VALUES ('Vesta_Projector_VP20_A', 'ArrowLeft', 22096, 7, 36000, X'505622DD');
INSERT INTO ControlTable VALUES ('Vesta_Projector_VP20_A', 'ArrowRight', 22096, 8, 36000, X'505625DA');
INSERT INTO ControlTable VALUES ('Vesta_Projector_VP20_A', 'Enter', 22096, 9, 36000, X'505628D7');
INSERT INTO ControlTable VALUES ('Vesta_Projector_VP20_A', 'Return', 22096, 10, 36000, X'50562BD4');
INSERT INTO ControlTable VALUES ('Vesta_Projector_VP20_A', 'Volume+', 22096, 11, 36000, X'50562ED1');
INSERT INTO ControlTable VALUES ('Vesta_Projector_VP20_A', 'Volume-', 22096, 12, 36000, X'505631CE');
INSERT INTO ControlTable VALUES ('Vesta_Projector_VP20_A', 'Mute', 22096, 13, 36000, X'505634CB');

-- Orbit SB7 set-top box
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'Power', 20307, 1, 38000, X'534F10EF');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'Mute', 20307, 2, 38000, X'534F13EC');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'Number0', 20307, 3, 38000, X'534F16E9');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'Number1', 20307, 4, 38000, X'534F19E6');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'Number2', 20307, 5, 38000, X'534F1CE3');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'Number3', 20307, 6, 38000, X'534F1FE0');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'Number4', 20307, 7, 38000, X'534F22DD');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'Number5', 20307, 8, 38000, X'534F25DA');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'Number6', 20307, 9, 38000, X'534F28D7');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'Number7', 20307, 10, 38000, X'534F2BD4');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'Number8', 20307, 11, 38000, X'534F2ED1');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'Number9', 20307, 12, 38000, X'534F31CE');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'StarDot', 20307, 13, 38000, X'534F34CB');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'Char#', 20307, 14, 38000, X'534F37C8');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'Channel+', 20307, 15, 38000, X'534F3AC5');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'Channel-', 20307, 16, 38000, X'534F3DC2');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'Volume+', 20307, 17, 38000, X'534F40BF');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'Volume-', 20307, 18, 38000, X'534F43BC');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'VolumeChannel', 20307, 19, 38000, X'534F46B9');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'LastProgram', 20307, 20, 38000, X'534F49B6');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'NextProgram', 20307, 21, 38000, X'534F4CB3');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'Guide', 20307, 22, 38000, X'534F4FB0');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'Menu', 20307, 23, 38000, X'534F52AD');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'ArrowUp', 20307, 24, 38000, X'534F55AA');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'ArrowDown', 20307, 25, 38000, X'534F58A7');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'ArrowLeft', 20307, 26, 38000, X'534F5BA4');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'ArrowRight', 20307, 27, 38000, X'534F5EA1');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'Enter', 20307, 28, 38000, X'534F619E');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'Return', 20307, 29, 38000, X'534F649B');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'FunctionRed', 20307, 30, 38000, X'534F6798');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'FunctionGreen', 20307, 31, 38000, X'534F6A95');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'FunctionYellow', 20307, 32, 38000, X'534F6D92');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'FunctionBlue', 20307, 33, 38000, X'534F708F');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'Record', 20307, 34, 38000, X'534F738C');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'Play', 20307, 35, 38000, X'534F7689');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'Pause', 20307, 36, 38000, X'534F7986');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'Stop', 20307, 37, 38000, X'534F7C83');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'FastForward', 20307, 38, 38000, X'534F7F80');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'FastReward', 20307, 39, 38000, X'534F827D');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'Subtitle', 20307, 40, 38000, X'534F857A');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'Location', 20307, 41, 38000, X'534F8877');
INSERT INTO ControlTable VALUES ('Orbit_SetTopBox_SB7_A', 'Cancel', 20307, 42, 38000, X'534F8B74');

-- Orbit BD3 Blu-ray player
INSERT INTO ControlTable VALUES ('Orbit_BluRay_BD3_A', 'Power', 20290, 1, 38000, X'424F10EF');
INSERT INTO ControlTable VALUES ('Orbit_BluRay_BD3_A', 'Play', 20290, 2, 38000, X'424F13EC');
INSERT INTO ControlTable VALUES ('Orbit_BluRay_BD3_A', 'Pause', 20290, 3, 38000, X'424F16E9');
INSERT INTO ControlTable VALUES ('Orbit_BluRay_BD3_A', 'Stop', 20290, 4, 38000, X'424F19E6');
INSERT INTO ControlTable VALUES ('Orbit_BluRay_BD3_A', 'Rewind', 20290, 5, 38000, X'424F1CE3');
INSERT INTO ControlTable VALUES ('Orbit_BluRay_BD3_A', 'FastForward', 20290, 6, 38000, X'424F1FE0');
INSERT INTO ControlTable VALUES ('Orbit_BluRay_BD3_A', 'FastReward', 20290, 7, 38000, X'424F22DD');
INSERT INTO ControlTable VALUES ('Orbit_BluRay_BD3_A', 'LastProgram', 20290, 8, 38000, X'424F25DA');
INSERT INTO ControlTable VALUES ('Orbit_BluRay_BD3_A', 'NextProgram', 20290, 9, 38000, X'424F28D7');
INSERT INTO ControlTable VALUES ('Orbit_BluRay_BD3_A', 'Title', 20290, 10, 38000, X'424F2BD4');
INSERT INTO ControlTable VALUES ('Orbit_BluRay_BD3_A', 'Subtitle', 20290, 11, 38000, X'424F2ED1');
INSERT INTO ControlTable VALUES ('Orbit_BluRay_BD3_A', 'Menu', 20290, 12, 38000, X'424F31CE');
INSERT INTO ControlTable VALUES ('Orbit_BluRay_BD3_A', 'ArrowUp', 20290, 13, 38000, X'424F34CB');
INSERT INTO ControlTable VALUES ('Orbit_BluRay_BD3_A', 'ArrowDown', 20290, 14, 38000, X'424F37C8');
INSERT INTO ControlTable VALUES ('Orbit_BluRay_BD3_A', 'ArrowLeft', 20290, 15, 38000, X'424F3AC5');
INSERT INTO ControlTable VALUES ('Orbit_BluRay_BD3_A', 'ArrowRight', 20290, 16, 38000, X'424F3DC2');
INSERT INTO ControlTable VALUES ('Orbit_BluRay_BD3_A', 'Enter', 20290, 17, 38000, X'424F40BF');
INSERT INTO ControlTable VALUES ('Orbit_BluRay_BD3_A', 'Return', 20290, 18, 38000, X'424F43BC');
INSERT INTO ControlTable VALUES ('Orbit_BluRay_BD3_A', 'Setup', 20290, 19, 38000, X'424F46B9');
INSERT INTO ControlTable VALUES ('Orbit_BluRay_BD3_A', 'Output', 20290, 20, 38000, X'424F49B6');
